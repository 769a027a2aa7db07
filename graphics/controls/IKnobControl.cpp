#include "graphics/controls/IKnobControl.h"

#include <cstdio>

#include "graphics/IGraphics.h"
#include "plug/IParamRecord.h"

namespace quivorant {

IKnobControl::IKnobControl(IEffectBase* plug, const PixelRect& rect, int paramIdx, int direction, double gearing)
    : IControl(plug, rect, paramIdx), direction_(direction), gearing_(gearing) {}

void IKnobControl::OnMouseDrag(int, int, int dX, int dY, const MouseModifiers& mods) {
  double gearing = gearing_;
  if (mods.control || mods.shift) gearing *= 10.0;
  const double span = direction_ == kVertical ? double(rect_.top) - rect_.bottom : double(rect_.right) - rect_.left;
  // A control without extent or gearing has no meaningful drag distance.
  if (span == 0.0 || gearing == 0.0) return;
  value_ += (direction_ == kVertical ? dY : dX) / span / gearing;
  SetDirty(true);
}

void IKnobControl::DrawValueText(IGraphics* graphics, TextStyle* style, bool withLabel, int shift) {
  const IParamRecord* param = Param();
  if (!param || style->size <= 0) return;
  char value[kParamTextCapacity];
  param->FormatValue(param->CurrentValue(), false, value, sizeof value);
  if (value[0] == '\0') return;
  char text[2 * kParamTextCapacity];
  std::snprintf(text, sizeof text, "%s%s", value, withLabel ? param->Label() : "");
  style->alignment = kAlignCenter;
  graphics->DrawText(style, text,
                     PixelRect(rect_.left, rect_.bottom - style->size + shift, rect_.right, rect_.bottom + shift));
}

}  // namespace quivorant
