#include "vst3/sdk/helpers/pluginview.h"

namespace Steinberg {

CPluginView::CPluginView(const ViewRect* initialRect) {
  if (initialRect != nullptr) rect = *initialRect;
}

CPluginView::~CPluginView() {
  if (plugFrame != nullptr) plugFrame->release();
}

tresult PLUGIN_API CPluginView::isPlatformTypeSupported(FIDString) { return kNotImplemented; }

tresult PLUGIN_API CPluginView::attached(void* parent, FIDString) {
  systemWindow = parent;
  attachedToParent();
  return kResultOk;
}

tresult PLUGIN_API CPluginView::removed() {
  removedFromParent();
  systemWindow = nullptr;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::onWheel(float) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyDown(char16, int16, int16) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyUp(char16, int16, int16) { return kResultFalse; }

tresult PLUGIN_API CPluginView::getSize(ViewRect* size) {
  if (size == nullptr) return kInvalidArgument;
  *size = rect;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::onSize(ViewRect* newSize) {
  if (newSize != nullptr) rect = *newSize;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::onFocus(TBool) { return kResultFalse; }

tresult PLUGIN_API CPluginView::setFrame(IPluginFrame* frame) {
  if (frame != nullptr) frame->addRef();
  if (plugFrame != nullptr) plugFrame->release();
  plugFrame = frame;
  return kResultTrue;
}

tresult PLUGIN_API CPluginView::canResize() { return kResultFalse; }
tresult PLUGIN_API CPluginView::checkSizeConstraint(ViewRect*) { return kResultFalse; }

tresult PLUGIN_API CPluginView::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && answer(queryIid, IPluginView::iid, static_cast<IPluginView*>(this), obj)) return kResultOk;
  return FObject::queryInterface(queryIid, obj);
}

}  // namespace Steinberg
