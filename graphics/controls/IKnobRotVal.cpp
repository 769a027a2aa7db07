#include "graphics/controls/IKnobRotVal.h"

#include <cmath>

#include "graphics/IGraphics.h"
#include "plug/Rounding.h"

namespace quivorant {

namespace {

constexpr double kPi = 3.14159265358979323846;

PixelRect KnobRect(int cx, int cy, const BitmapRef& bitmap, const TextStyle& style, int gap, int widthOverride) {
  const int halfHeight = RoundHalfAway(bitmap.height * 0.5);
  const int halfWidth = widthOverride != 0 ? RoundHalfAway(widthOverride / 2.0)
                                           : RoundHalfAway(double(bitmap.width) / bitmap.Frames() * 0.5);
  const int bottom = gap >= 0 ? cy + halfHeight + style.size + gap : cy + halfHeight;
  return PixelRect(cx - halfWidth, cy - halfHeight, cx + halfWidth, bottom);
}

}  // namespace

IKnobRotVal::IKnobRotVal(IEffectBase* plug, int centreX, int centreY, int paramIdx, const BitmapRef& bitmap,
                         const TextStyle& style, int textGap, int sweep, double gearing, int widthOverride, int steps,
                         float hoverDimming, bool showLabel)
    : IKnobControl(plug, KnobRect(centreX, centreY, bitmap, style, textGap, widthOverride), paramIdx, kVertical,
                   gearing),
      style_(style),
      bitmap_(bitmap),
      centreX_(centreX),
      centreY_(centreY),
      textGap_(textGap),
      sweep_(sweep),
      steps_(steps),
      hoverDimming_(hoverDimming),
      showLabel_(showLabel) {}

void IKnobRotVal::OnMouseUp(int, int, const MouseModifiers&) {
  if (steps_ > 0) value_ = std::floor(steps_ * value_ + 0.5) / steps_;
  SetDirty(true);
}

void IKnobRotVal::OnMouseOver(int, int, const MouseModifiers&) {
  if (hovered_) return;
  hovered_ = true;
  SetDirty(false);
}

void IKnobRotVal::OnMouseOut() {
  hovered_ = false;
  SetDirty(false);
}

double IKnobRotVal::Angle() const {
  const float perUnit = float(sweep_ * kPi * (1.0 / 360.0));
  const float start = float(sweep_ * -kPi * (1.0 / 360.0));
  return perUnit * (value_ * 2.0) + start;
}

bool IKnobRotVal::Draw(IGraphics* g) {
  DrawValueText(g, &style_, showLabel_, textGap_ < 0 ? textGap_ : 0);
  drawBlend_ = BlendSpec(kBlendAlpha, hovered_ ? 1.0f - hoverDimming_ : 1.0f);
  const double angle = Angle();
  const float shift = float(-(std::fabs(value_ - 0.5) * 2.0));
  if (bitmap_.companionKey < -1) {
    const PixelRect body(RoundHalfAway(centreX_ - bitmap_.width / 2.0), rect_.top,
                         RoundHalfAway(centreX_ + bitmap_.width / 2.0), rect_.bottom - textGap_ - style_.size);
    g->DrawBitmapFrame(bitmap_, body, 1, &drawBlend_, false);
    if (hovered_) drawBlend_.weight = 1.0f;
    g->DrawRotatedBitmap(g->GetCachedBitmap(bitmap_.companionKey), centreX_, centreY_, angle, &drawBlend_, shift,
                         shift);
  } else {
    g->DrawRotatedBitmap(bitmap_, centreX_, centreY_, angle, &drawBlend_, shift, shift);
  }
  return true;
}

}  // namespace quivorant
