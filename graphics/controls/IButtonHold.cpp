#include "graphics/controls/IButtonHold.h"

#include "graphics/BitmapSizedRect.h"
#include "graphics/IGraphics.h"

namespace quivorant {

IButtonHold::IButtonHold(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& bitmap)
    : IControl(plug, FrameRectAt(x, y, bitmap), paramIdx), bitmap_(bitmap) {}

void IButtonHold::OnMouseDown(int, int, const MouseModifiers& mods) {
  if (mods.left) value_ = 1.0;
  SetDirty(true);
}

void IButtonHold::OnMouseUp(int, int, const MouseModifiers&) {
  value_ = 0.0;
  SetDirty(true);
}

void IButtonHold::OnMouseWheel(int, int, const MouseModifiers&, int) {}

bool IButtonHold::Draw(IGraphics* g) {
  if (value_ > 0.5) g->DrawBitmapFrame(bitmap_, rect_, 1, nullptr, true);
  return true;
}

}  // namespace quivorant
