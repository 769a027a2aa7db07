// A momentary button: its parameter reads 1 exactly while the left button holds it down, and its
// image shows only then.
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IButtonHold : public IControl {
public:
  IButtonHold(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& bitmap);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  void OnMouseUp(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;
  void OnMouseWheel(int x, int y, const MouseModifiers& mods, int steps) override;

private:
  BitmapRef bitmap_;
};

}  // namespace quivorant
