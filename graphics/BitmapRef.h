// A decoded bitmap as controls hold it: the pixels (owned by the process-wide bitmap cache), the
// whole image's size and how many equal frames it holds. A reference without pixels has size
// 0 x 0 and draws nothing.
#pragma once

namespace quivorant {

class RasterBitmap;

struct BitmapRef {
  RasterBitmap* bitmap = nullptr;
  int width = 0;
  int height = 0;
  int frameCount = 1;
  int companionKey = 0;  // after SplitBitmap: cache key of the left part, else 0

  // Frame count at least 1, so that per-frame sizes never divide by zero.
  int Frames() const { return frameCount > 0 ? frameCount : 1; }
};

}  // namespace quivorant
