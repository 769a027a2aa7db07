#include "raster/RasterResample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/detail/PixelOps.h"

namespace quivorant {

namespace {

struct Tap {
  int index;
  double weight;
};

// For each of n destination cells along one axis, the source cells [start, start + length) it
// covers and how much of each.
std::vector<std::vector<Tap>> AxisTaps(int start, int length, int n) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(n));
  const double step = double(length) / n;
  for (int i = 0; i < n; ++i) {
    const double from = i * step;
    const double to = from + step;
    for (int s = int(std::floor(from)); s < int(std::ceil(to)) && s < length; ++s) {
      const double w = std::min(to, double(s + 1)) - std::max(from, double(s));
      if (w > 0.0) taps[size_t(i)].push_back(Tap{start + s, w});
    }
  }
  return taps;
}

RasterPixel* Row(RasterBitmap* b, int y) {
  const int row = b->IsBottomUp() ? b->Height() - 1 - y : y;
  return b->PixelData() + ptrdiff_t(row) * b->RowSpan();
}

int ToChannel(double v) { return detail::Clamp255(int(std::lround(v))); }

}  // namespace

std::unique_ptr<RasterMemBitmap> RasterResampleArea(RasterBitmap* src, int srcX, int srcY, int srcW, int srcH,
                                                    int destW, int destH) {
  if (!src || !src->PixelData() || destW <= 0 || destH <= 0) return nullptr;
  const int x0 = std::max(srcX, 0);
  const int y0 = std::max(srcY, 0);
  const int w = std::min(int64_t(srcX) + srcW, int64_t(src->Width())) - x0;
  const int h = std::min(int64_t(srcY) + srcH, int64_t(src->Height())) - y0;
  if (w <= 0 || h <= 0) return nullptr;
  auto dest = std::make_unique<RasterMemBitmap>(destW, destH, 4);
  if (!dest->PixelData()) return nullptr;
  const auto columns = AxisTaps(x0, w, destW);
  const auto rows = AxisTaps(y0, h, destH);
  for (int dy = 0; dy < destH; ++dy) {
    RasterPixel* out = Row(dest.get(), dy);
    for (int dx = 0; dx < destW; ++dx) {
      double area = 0.0, a = 0.0, r = 0.0, g = 0.0, b = 0.0;
      for (const Tap& ty : rows[size_t(dy)]) {
        const RasterPixel* in = Row(src, ty.index);
        for (const Tap& tx : columns[size_t(dx)]) {
          const RasterPixel p = in[tx.index];
          const double weight = ty.weight * tx.weight;
          const double wa = weight * detail::Alpha(p);
          area += weight;
          a += wa;
          r += wa * detail::Chan(p, 16);
          g += wa * detail::Chan(p, 8);
          b += wa * detail::Chan(p, 0);
        }
      }
      out[dx] = a > 0.0 ? detail::Pack(ToChannel(a / area), ToChannel(r / a), ToChannel(g / a), ToChannel(b / a)) : 0;
    }
  }
  return dest;
}

}  // namespace quivorant
