#include "raster/RasterBlit.h"

#include "raster/detail/Clip.h"
#include "raster/detail/PixelOps.h"

#include <cstdint>
#include <cstring>

namespace quivorant {

using namespace detail;

namespace {

// Per-pixel kernels; `forward` false walks right to left so a blit within one bitmap that moves
// pixels to the right reads each source pixel before it is overwritten.
template <typename Op>
void BlendRow(RasterPixel* d, const RasterPixel* s, long long n, bool forward, Op op) {
  if (forward) {
    for (long long i = 0; i < n; ++i) op(d[i], s[i]);
  } else {
    for (long long i = n - 1; i >= 0; --i) op(d[i], s[i]);
  }
}

struct Region {
  RasterPixel* dst;
  const RasterPixel* src;
  long long dstSpan;
  long long srcSpan;
  long long width;
  long long height;
};

// True when dst lies after src but within `pixels` of it: a blit within one bitmap that must
// run backwards so that it never reads what it already wrote.
bool Behind(const Region& r, long long pixels) {
  auto d = reinterpret_cast<std::uintptr_t>(r.dst);
  auto s = reinterpret_cast<std::uintptr_t>(r.src);
  return d > s && d < s + static_cast<std::uintptr_t>(pixels) * sizeof(RasterPixel);
}

template <typename Op>
void BlendRegion(const Region& r, Op op) {
  const bool bottomUp = Behind(r, r.srcSpan * r.height);
  const bool forward = !Behind(r, r.width);
  for (long long row = 0; row < r.height; ++row) {
    long long y = bottomUp ? r.height - 1 - row : row;
    BlendRow(r.dst + y * r.dstSpan, r.src + y * r.srcSpan, r.width, forward, op);
  }
}

void CopyRegion(const Region& r, int k, bool exactHalf) {
  if (k == 256) {
    const bool bottomUp = Behind(r, r.srcSpan * r.height);
    const std::size_t bytes = static_cast<std::size_t>(r.width) * sizeof(RasterPixel);
    for (long long row = 0; row < r.height; ++row) {
      long long y = bottomUp ? r.height - 1 - row : row;
      std::memmove(r.dst + y * r.dstSpan, r.src + y * r.srcSpan, bytes);
    }
  } else if (exactHalf) {
    BlendRegion(r, [](RasterPixel& d, RasterPixel s) { d = Average(s, d); });
  } else {
    BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { d = CopyBlend(s, d, k); });
  }
}

}  // namespace

void RasterBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int srcX, int srcY, int srcW, int srcH,
                float alpha, int mode) {
  if (dest == nullptr || src == nullptr || alpha == 0.0f) return;
  const int k = OpacityFromAlpha(alpha);
  RasterPixel* dp = dest->PixelData();
  const RasterPixel* sp = src->PixelData();
  if (k == 0 || dp == nullptr || sp == nullptr) return;

  long long sx = srcX, sy = srcY, w = srcW, h = srcH, dx = dstX, dy = dstY;
  // Limit to the source; a source origin moved right or down moves the destination with it.
  if (sx < 0) dx -= sx;
  if (sy < 0) dy -= sy;
  Span spanX = ClipSpan(sx, w, src->Width());
  Span spanY = ClipSpan(sy, h, src->Height());
  sx = spanX.start, w = spanX.length, sy = spanY.start, h = spanY.length;
  // Then to the destination, moving the source origin the same way.
  if (dx < 0) sx -= dx;
  if (dy < 0) sy -= dy;
  spanX = ClipSpan(dx, w, dest->Width());
  spanY = ClipSpan(dy, h, dest->Height());
  dx = spanX.start, w = spanX.length, dy = spanY.start, h = spanY.length;
  if (w <= 0 || h <= 0) return;

  const Region r{dp + dy * dest->RowSpan() + dx, sp + sy * src->RowSpan() + sx, dest->RowSpan(), src->RowSpan(), w, h};
  const int operation = mode & kRasterOperationMask;
  const bool sourceAlpha = (mode & kRasterUseSourceAlpha) != 0;
  if (operation == kRasterCopy && !sourceAlpha) {
    CopyRegion(r, k, alpha == 0.5f);
  } else if (operation == kRasterCopy) {
    BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { Compose<0, true>(d, s, k); });
  } else if (operation == kRasterAdd) {
    if (sourceAlpha) {
      BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { Compose<1, true>(d, s, k); });
    } else {
      BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { Compose<1, false>(d, s, k); });
    }
  } else if (operation == kRasterDodge) {
    if (sourceAlpha) {
      BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { Compose<2, true>(d, s, k); });
    } else {
      BlendRegion(r, [k](RasterPixel& d, RasterPixel s) { Compose<2, false>(d, s, k); });
    }
  }
  // Other operations are not offered; they draw nothing.
}

}  // namespace quivorant
