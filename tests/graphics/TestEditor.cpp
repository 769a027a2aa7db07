#include "tests/graphics/TestEditor.h"

#include "raster/RasterMemBitmap.h"

namespace quivorant::test {

RasterPixel PatternPixel(int x, int y) {
  return 0xFF00005Au | (RasterPixel(x & 0xFF) << 16) | (RasterPixel(y & 0xFF) << 8);
}

RasterBitmap* MakePatternBitmap(int width, int height) {
  auto* bitmap = new RasterMemBitmap(width, height, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap->PixelData()[y * bitmap->RowSpan() + x] = PatternPixel(x, y);
  }
  return bitmap;
}

RasterBitmap* MakeSolidBitmap(int width, int height, RasterPixel colour) {
  auto* bitmap = new RasterMemBitmap(width, height, 4);
  FillBitmap(bitmap, colour);
  return bitmap;
}

RasterPixel PixelAt(RasterBitmap* bitmap, int x, int y) { return bitmap->PixelData()[y * bitmap->RowSpan() + x]; }

void FillBitmap(RasterBitmap* bitmap, RasterPixel colour) {
  for (int y = 0; y < bitmap->Height(); ++y) {
    for (int x = 0; x < bitmap->Width(); ++x) bitmap->PixelData()[y * bitmap->RowSpan() + x] = colour;
  }
}

int FreshKey() {
  static int next = 5000;
  return ++next;
}

}  // namespace quivorant::test
