#include "graphics/controls/IMask.h"

#include "graphics/BitmapSizedRect.h"
#include "graphics/IGraphics.h"

namespace quivorant {

IMask::IMask(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& bitmap)
    : IControl(plug, FrameRectAt(x, y, bitmap), paramIdx), bitmap_(bitmap) {}

bool IMask::Draw(IGraphics* g) {
  g->DrawBitmapFrame(bitmap_, rect_, 1, nullptr, true);
  return true;
}

}  // namespace quivorant
