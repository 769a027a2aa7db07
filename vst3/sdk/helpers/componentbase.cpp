#include "vst3/sdk/helpers/componentbase.h"

#include <cstring>

#include "vst3/sdk/helpers/ustring.h"

namespace Steinberg {
namespace Vst {

ComponentBase::~ComponentBase() {
  if (peerConnection != nullptr) peerConnection->release();
  if (hostContext != nullptr) hostContext->release();
}

tresult PLUGIN_API ComponentBase::initialize(FUnknown* context) {
  if (hostContext != nullptr) return kResultFalse;
  hostContext = context;
  if (hostContext != nullptr) hostContext->addRef();
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::terminate() {
  if (hostContext != nullptr) {
    hostContext->release();
    hostContext = nullptr;
  }
  if (peerConnection != nullptr) {
    IConnectionPoint* peer = peerConnection;
    peerConnection = nullptr;
    peer->disconnect(this);
    peer->release();
  }
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::connect(IConnectionPoint* other) {
  if (other == nullptr) return kInvalidArgument;
  if (peerConnection != nullptr) return kResultFalse;
  peerConnection = other;
  peerConnection->addRef();
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::disconnect(IConnectionPoint* other) {
  if (other == nullptr || other != peerConnection) return kResultFalse;
  peerConnection->release();
  peerConnection = nullptr;
  return kResultOk;
}

tresult PLUGIN_API ComponentBase::notify(IMessage* message) {
  if (message == nullptr) return kInvalidArgument;
  FIDString id = message->getMessageID();
  IAttributeList* attributes = message->getAttributes();
  if (id == nullptr || std::strcmp(id, "TextMessage") != 0 || attributes == nullptr) return kResultFalse;
  TChar text16[256] = {};
  if (attributes->getString("Text", text16, sizeof(text16)) != kResultOk) return kResultFalse;
  text16[255] = 0;
  char8 text8[1024];
  str16ToStr8(text8, text16, sizeof(text8));
  return receiveText(text8);
}

tresult PLUGIN_API ComponentBase::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && (answer(queryIid, IPluginBase::iid, static_cast<IPluginBase*>(this), obj) ||
                              answer(queryIid, IConnectionPoint::iid, static_cast<IConnectionPoint*>(this), obj)))
    return kResultOk;
  return FObject::queryInterface(queryIid, obj);
}

}  // namespace Vst
}  // namespace Steinberg
