// The rectangle of a control that shows one frame of a vertically stacked image at (x, y).
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/PixelRect.h"

namespace quivorant {

inline PixelRect FrameRectAt(int x, int y, const BitmapRef& bitmap) {
  return PixelRect(x, y, PixelRect::ClampToInt(int64_t(x) + bitmap.width),
                   PixelRect::ClampToInt(int64_t(y) + bitmap.height / bitmap.Frames()));
}

}  // namespace quivorant
