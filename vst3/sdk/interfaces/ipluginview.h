// The editor view a controller hands out, and the host frame that embeds it.
#pragma once

#include <cstddef>

#include "vst3/sdk/interfaces/funknown.h"

namespace Steinberg {

struct ViewRect {
  int32 left = 0;
  int32 top = 0;
  int32 right = 0;
  int32 bottom = 0;
  ViewRect() = default;
  ViewRect(int32 l, int32 t, int32 r, int32 b) : left(l), top(t), right(r), bottom(b) {}
  int32 getWidth() const { return right - left; }
  int32 getHeight() const { return bottom - top; }
};

class IPluginFrame;

class IPluginView : public FUnknown {
public:
  virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
  virtual tresult PLUGIN_API removed() = 0;
  virtual tresult PLUGIN_API onWheel(float distance) = 0;
  virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
  virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
  virtual tresult PLUGIN_API onFocus(TBool state) = 0;
  virtual tresult PLUGIN_API setFrame(IPluginFrame* frame) = 0;
  virtual tresult PLUGIN_API canResize() = 0;
  virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;
  QV_DECLARE_IID(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
};

class IPluginFrame : public FUnknown {
public:
  virtual tresult PLUGIN_API resizeView(IPluginView* view, ViewRect* newSize) = 0;
  QV_DECLARE_IID(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
};

// A view that draws sharply at the screen's scale: the host tells it the factor (1 = 100 %), and
// the view answers by asking the frame for its new size.
class IViewContentScaleSupport : public FUnknown {
public:
  using ScaleFactor = float;
  virtual tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) = 0;
  QV_DECLARE_IID(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
};

static_assert(sizeof(ViewRect) == 16 && offsetof(ViewRect, bottom) == 12);

}  // namespace Steinberg
