// A knob that shows one frame of a side-by-side filmstrip for its value and prints the value
// (with its unit label) beneath the image.
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IKnobControl.h"

namespace quivorant {

class IKnobMulti : public IKnobControl {
public:
  IKnobMulti(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap, const TextStyle& style,
             int centreX, int centreY, int textGap = 6, int direction = kVertical, double gearing = 4.0);

  bool Draw(IGraphics* graphics) override;

private:
  TextStyle style_;
  BitmapRef bitmap_;
  int centreX_;
  int centreY_;
  int textGap_;
};

}  // namespace quivorant
