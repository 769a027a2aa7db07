#include "raster/RasterFill.h"

#include "raster/detail/Clip.h"
#include "raster/detail/PixelOps.h"

#include <algorithm>

namespace quivorant {

using namespace detail;

namespace {

template <typename Op>
void FillRows(RasterPixel* first, long long span, long long w, long long h, Op op) {
  for (long long y = 0; y < h; ++y) {
    RasterPixel* row = first + y * span;
    for (long long x = 0; x < w; ++x) row[x] = op(row[x]);
  }
}

}  // namespace

void RasterFillRect(RasterBitmap* dest, int x, int y, int w, int h, RasterPixel colour, float alpha, int mode) {
  if (dest == nullptr) return;
  if ((mode & kRasterUseSourceAlpha) != 0) alpha *= static_cast<float>(colour >> 24) / 255.0f;
  RasterPixel* pixels = dest->PixelData();
  const int k = OpacityFromAlpha(alpha);
  if (k == 0 || pixels == nullptr || w <= 0 || h <= 0) return;
  const Span sx = ClipSpan(x, w, dest->Width());
  const Span sy = ClipSpan(y, h, dest->Height());
  if (sx.length <= 0 || sy.length <= 0) return;

  const long long span = dest->RowSpan();
  RasterPixel* first = pixels + sy.start * span + sx.start;
  const int operation = mode & kRasterOperationMask;
  if (operation == kRasterCopy && k == 256) {
    for (long long row = 0; row < sy.length; ++row) std::fill_n(first + row * span, sx.length, colour);
  } else if (operation == kRasterCopy) {
    DispatchFillCopy(k, [&](auto rule) {
      FillRows(first, span, sx.length, sy.length, [&](RasterPixel p) { return rule(colour, p); });
    });
  } else if (operation == kRasterAdd) {
    FillRows(first, span, sx.length, sy.length, [colour, k](RasterPixel p) { return FillAdd(colour, p, k); });
  }
  // Other operations are not offered for fills; they draw nothing.
}

}  // namespace quivorant
