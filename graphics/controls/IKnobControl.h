// Shared behaviour of the knob kinds: dragging changes the value by the distance moved relative
// to the control's size and a gearing (fine adjustment with control or shift), and the value
// text printed beneath the image.
#pragma once

#include "graphics/TextStyle.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IKnobControl : public IControl {
public:
  enum Direction : int { kVertical = 0, kHorizontal = 1 };

  IKnobControl(IEffectBase* plug, const PixelRect& rect, int paramIdx, int direction = kVertical, double gearing = 4.0);

  void OnMouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mods) override;

  double Gearing() const { return gearing_; }

protected:
  // Draws the parameter's display text (with its unit label when asked) centred in a line of the
  // style's height ending at bottom + shift. Draws nothing for an empty text or a zero size.
  void DrawValueText(IGraphics* graphics, TextStyle* style, bool withLabel, int shift);

  int direction_;
  double gearing_;
};

}  // namespace quivorant
