// A knob whose image rotates with the value over a sweep (value 0 at the counter-clockwise end,
// 1 at the clockwise end) and which prints its parameter's value beneath itself. A bitmap whose
// companion key is below -1 is a two-layer knob: the bitmap itself is the static body and the
// cached bitmap under the companion key is the rotating layer. Dimmed slightly while hovered.
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IKnobControl.h"

namespace quivorant {

class IKnobRotVal : public IKnobControl {
public:
  IKnobRotVal(IEffectBase* plug, int centreX, int centreY, int paramIdx, const BitmapRef& bitmap,
              const TextStyle& style, int textGap = 2, int sweep = 300, double gearing = 4.0, int widthOverride = 0,
              int steps = -1, float hoverDimming = 0.1f, bool showLabel = true);

  void OnMouseUp(int x, int y, const MouseModifiers& mods) override;
  void OnMouseOver(int x, int y, const MouseModifiers& mods) override;
  void OnMouseOut() override;
  bool Draw(IGraphics* graphics) override;

  // Rotation of the image for the current value, in radians.
  double Angle() const;

private:
  TextStyle style_;
  BitmapRef bitmap_;
  int centreX_;
  int centreY_;
  int textGap_;
  int sweep_;
  int steps_;
  float hoverDimming_;
  bool showLabel_;
  bool hovered_ = false;
  BlendSpec drawBlend_;
};

}  // namespace quivorant
