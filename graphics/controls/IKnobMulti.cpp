#include "graphics/controls/IKnobMulti.h"

#include "graphics/FrameIndex.h"
#include "graphics/IGraphics.h"
#include "plug/Rounding.h"

namespace quivorant {

IKnobMulti::IKnobMulti(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap,
                       const TextStyle& style, int centreX, int centreY, int textGap, int direction, double gearing)
    : IKnobControl(plug, rect, paramIdx, direction, gearing),
      style_(style),
      bitmap_(bitmap),
      centreX_(centreX),
      centreY_(centreY),
      textGap_(textGap) {}

bool IKnobMulti::Draw(IGraphics* g) {
  DrawValueText(g, &style_, true, 0);
  const int frames = bitmap_.Frames();
  const double halfFrame = double(bitmap_.width / frames) / 2.0;
  const PixelRect dest(RoundHalfAway(centreX_ - halfFrame), rect_.top, RoundHalfAway(centreX_ + halfFrame),
                       rect_.bottom - textGap_ - style_.size);
  g->DrawBitmapFrame(bitmap_, dest, FrameForValue(value_, frames), &blend_, false);
  return true;
}

}  // namespace quivorant
