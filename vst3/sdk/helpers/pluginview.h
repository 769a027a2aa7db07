// Base of an editor view: keeps the view rectangle, the parent window while attached, and the
// host's frame. Subclasses answer isPlatformTypeSupported and react in the attach hooks.
#pragma once

#include "vst3/sdk/helpers/fobject.h"
#include "vst3/sdk/interfaces/ipluginview.h"

namespace Steinberg {

class CPluginView : public FObject, public IPluginView {
public:
  explicit CPluginView(const ViewRect* rect = nullptr);
  ~CPluginView() override;

  tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
  tresult PLUGIN_API attached(void* parent, FIDString type) override;
  tresult PLUGIN_API removed() override;
  tresult PLUGIN_API onWheel(float distance) override;
  tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
  tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
  tresult PLUGIN_API getSize(ViewRect* size) override;
  tresult PLUGIN_API onSize(ViewRect* newSize) override;
  tresult PLUGIN_API onFocus(TBool state) override;
  tresult PLUGIN_API setFrame(IPluginFrame* frame) override;
  tresult PLUGIN_API canResize() override;
  tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

  // Hooks run by attached/removed after the parent has been stored / before it is forgotten.
  virtual void attachedToParent() {}
  virtual void removedFromParent() {}

  const ViewRect& getRect() const { return rect; }
  void setRect(const ViewRect& r) { rect = r; }
  void* getSystemWindow() const { return systemWindow; }
  IPluginFrame* getFrame() const { return plugFrame; }

  OBJ_METHODS(CPluginView, FObject)
  REFCOUNT_METHODS(FObject)
  tresult PLUGIN_API queryInterface(const TUID queryIid, void** obj) override;

protected:
  ViewRect rect;
  void* systemWindow = nullptr;
  IPluginFrame* plugFrame = nullptr;
};

}  // namespace Steinberg
