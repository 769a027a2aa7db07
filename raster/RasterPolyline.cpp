#include "raster/RasterPolyline.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/detail/PixelOps.h"

namespace quivorant {

using detail::CopyBlend;
using detail::OpacityFromAlpha;

namespace {

// Distance from the pixel centre (px, py) to the segment a-b.
float DistanceToSegment(float px, float py, float ax, float ay, float bx, float by) {
  const float dx = bx - ax, dy = by - ay;
  const float lengthSquared = dx * dx + dy * dy;
  float t = lengthSquared > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / lengthSquared : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

}  // namespace

void RasterPolyline(RasterBitmap* dest, const float* xs, const float* ys, int count, float width, RasterPixel colour,
                    float alpha) {
  if (!dest || !dest->PixelData() || !xs || !ys || count < 2 || !(width > 0.0f) || !(alpha > 0.0f)) return;
  const int w = dest->Width(), h = dest->Height();
  std::vector<float> coverage(static_cast<size_t>(w) * static_cast<size_t>(h), 0.0f);
  const float half = width * 0.5f;
  for (int i = 1; i < count; ++i) {
    const float ax = xs[i - 1], ay = ys[i - 1], bx = xs[i], by = ys[i];
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) continue;
    const int left = std::max(0, static_cast<int>(std::floor(std::min(ax, bx) - half - 1.0f)));
    const int right = std::min(w - 1, static_cast<int>(std::ceil(std::max(ax, bx) + half + 1.0f)));
    const int top = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - half - 1.0f)));
    const int bottom = std::min(h - 1, static_cast<int>(std::ceil(std::max(ay, by) + half + 1.0f)));
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        // Pixel centres sit at +0.5; a pixel half a pixel beyond the stroke's edge gets nothing.
        const float d = DistanceToSegment(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, ax, ay, bx, by);
        const float c = std::clamp(half + 0.5f - d, 0.0f, 1.0f);
        float& cell = coverage[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
        cell = std::max(cell, c);
      }
    }
  }
  RasterPixel* pixels = dest->PixelData();
  const long long span = dest->RowSpan();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
      const int k = OpacityFromAlpha(coverage[cell] * alpha);
      if (k > 0) pixels[y * span + x] = CopyBlend(colour, pixels[y * span + x], k);
    }
  }
}

}  // namespace quivorant
