#include "graphics/controls/IBitmapControl.h"

#include "graphics/FrameIndex.h"
#include "graphics/IGraphics.h"

namespace quivorant {

IBitmapControl::IBitmapControl(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap,
                               const BlendSpec* blend, bool verticalFrames)
    : IControl(plug, rect, paramIdx, blend), vertical_(verticalFrames), bitmap_(bitmap) {}

bool IBitmapControl::Draw(IGraphics* g) {
  g->DrawBitmapFrame(bitmap_, rect_, FrameForValue(value_, bitmap_.frameCount), &blend_, vertical_);
  return true;
}

}  // namespace quivorant
