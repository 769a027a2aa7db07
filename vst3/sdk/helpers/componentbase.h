// Common base of components and controllers: keeps the host context from initialize and the
// peer of a separate component/controller pair.
#pragma once

#include "vst3/sdk/helpers/fobject.h"
#include "vst3/sdk/interfaces/ipluginbase.h"
#include "vst3/sdk/interfaces/ivstmessage.h"

namespace Steinberg {
namespace Vst {

class ComponentBase : public FObject, public IPluginBase, public IConnectionPoint {
public:
  ComponentBase() = default;
  ~ComponentBase() override;

  // initialize: a second call without terminate answers kResultFalse; the context is kept
  // with a reference until terminate.
  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  tresult PLUGIN_API connect(IConnectionPoint* other) override;
  tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
  tresult PLUGIN_API notify(IMessage* message) override;

  FUnknown* getHostContext() const { return hostContext; }
  IConnectionPoint* getPeer() const { return peerConnection; }

  // A "TextMessage" from the peer, as UTF-8.
  virtual tresult receiveText(const char8* /*text*/) { return kResultOk; }

  OBJ_METHODS(ComponentBase, FObject)
  REFCOUNT_METHODS(FObject)
  tresult PLUGIN_API queryInterface(const TUID queryIid, void** obj) override;

protected:
  FUnknown* hostContext = nullptr;
  IConnectionPoint* peerConnection = nullptr;
};

}  // namespace Vst
}  // namespace Steinberg
