// Rotated and scaled blits: every destination pixel centre inside the (clipped) destination
// rectangle is mapped back through the rotation into the source, sampled (nearest or bilinear)
// and composited like a plain blit. Bilinear taps are weighted by their alpha, so transparent
// neighbours do not darken the edges of an image with straight alpha.
#include "raster/RasterBlit.h"

#include "raster/detail/Clip.h"
#include "raster/detail/PixelOps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quivorant {

using namespace detail;

namespace {

struct SourceView {
  const RasterPixel* pixels;
  long long span;
  // Samples are taken from [left, right) x [top, bottom); everything else is transparent.
  long long left, top, right, bottom;

  bool Inside(long long x, long long y) const { return x >= left && x < right && y >= top && y < bottom; }
};

long long FloorDiv256(long long v) { return v >= 0 ? v / 256 : -((-v + 255) / 256); }

// False when the position lies wholly outside the sampled area.
bool SampleNearest(const SourceView& v, double sx, double sy, RasterPixel* out) {
  const double fx = std::floor(sx), fy = std::floor(sy);
  if (fx < static_cast<double>(v.left) || fx >= static_cast<double>(v.right) || fy < static_cast<double>(v.top) ||
      fy >= static_cast<double>(v.bottom)) {
    return false;
  }
  *out = v.pixels[static_cast<long long>(fy) * v.span + static_cast<long long>(fx)];
  return true;
}

bool SampleBilinear(const SourceView& v, double sx, double sy, RasterPixel* out) {
  // Positions of pixel centres, in 1/256 pixel, rounded so that exact positions stay exact.
  const double qx = std::floor((sx - 0.5) * 256.0 + 0.5), qy = std::floor((sy - 0.5) * 256.0 + 0.5);
  if (std::fabs(qx) > 1e15 || std::fabs(qy) > 1e15) return false;
  const long long fxq = static_cast<long long>(qx), fyq = static_cast<long long>(qy);
  const long long ix = FloorDiv256(fxq), iy = FloorDiv256(fyq);
  const std::uint64_t wx = static_cast<std::uint64_t>(fxq - ix * 256);
  const std::uint64_t wy = static_cast<std::uint64_t>(fyq - iy * 256);
  const std::uint64_t weights[4] = {(256 - wx) * (256 - wy), wx * (256 - wy), (256 - wx) * wy, wx * wy};
  const long long tx[4] = {ix, ix + 1, ix, ix + 1};
  const long long ty[4] = {iy, iy, iy + 1, iy + 1};
  std::uint64_t accA = 0, accR = 0, accG = 0, accB = 0;
  bool any = false;
  for (int i = 0; i < 4; ++i) {
    if (weights[i] == 0 || !v.Inside(tx[i], ty[i])) continue;
    any = true;
    const RasterPixel p = v.pixels[ty[i] * v.span + tx[i]];
    const std::uint64_t wa = weights[i] * (p >> 24);
    accA += wa;
    accR += wa * ((p >> 16) & 0xFF);
    accG += wa * ((p >> 8) & 0xFF);
    accB += wa * (p & 0xFF);
  }
  if (!any) return false;
  if (accA == 0) {
    *out = 0;
    return true;
  }
  auto colour = [accA](std::uint64_t acc) { return static_cast<int>((acc + accA / 2) / accA); };
  *out = Pack(static_cast<int>((accA + 32768) >> 16), colour(accR), colour(accG), colour(accB));
  return true;
}

}  // namespace

void RasterRotatedBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int dstW, int dstH, float srcX,
                       float srcY, float srcW, float srcH, float angle, bool clipToSource, float alpha, int mode,
                       float centreOffsetX, float centreOffsetY) {
  if (dest == nullptr || src == nullptr || dstW == 0 || dstH == 0 || alpha == 0.0f) return;
  const int k = OpacityFromAlpha(alpha);
  RasterPixel* dp = dest->PixelData();
  const RasterPixel* sp = src->PixelData();
  if (k == 0 || dp == nullptr || sp == nullptr || src->Width() <= 0 || src->Height() <= 0) return;
  const float inputs[] = {srcX, srcY, srcW, srcH, angle, centreOffsetX, centreOffsetY};
  for (float f : inputs) {
    if (!std::isfinite(f)) return;
  }
  if ((mode & kRasterOperationMask) > kRasterDodge) return;

  // A negative size mirrors that axis: the rectangle starts that far back.
  const bool mirrorX = dstW < 0, mirrorY = dstH < 0;
  const long long left = mirrorX ? static_cast<long long>(dstX) + dstW : dstX;
  const long long top = mirrorY ? static_cast<long long>(dstY) + dstH : dstY;
  const long long width = mirrorX ? -static_cast<long long>(dstW) : dstW;
  const long long height = mirrorY ? -static_cast<long long>(dstH) : dstH;
  const Span clipX = ClipSpan(left, width, dest->Width());
  const Span clipY = ClipSpan(top, height, dest->Height());
  if (clipX.length <= 0 || clipY.length <= 0) return;

  SourceView view{sp, src->RowSpan(), 0, 0, src->Width(), src->Height()};
  if (clipToSource) {
    const double l = std::floor(static_cast<double>(std::min(srcX, srcX + srcW)));
    const double t = std::floor(static_cast<double>(std::min(srcY, srcY + srcH)));
    const double r = std::ceil(static_cast<double>(std::max(srcX, srcX + srcW)));
    const double b = std::ceil(static_cast<double>(std::max(srcY, srcY + srcH)));
    view.left = static_cast<long long>(std::max(l, 0.0));
    view.top = static_cast<long long>(std::max(t, 0.0));
    view.right = static_cast<long long>(std::min(r, static_cast<double>(src->Width())));
    view.bottom = static_cast<long long>(std::min(b, static_cast<double>(src->Height())));
  }

  const double cx = static_cast<double>(left) + static_cast<double>(width) / 2.0 + centreOffsetX;
  const double cy = static_cast<double>(top) + static_cast<double>(height) / 2.0 + centreOffsetY;
  const double scx = static_cast<double>(srcX) + static_cast<double>(srcW) / 2.0;
  const double scy = static_cast<double>(srcY) + static_cast<double>(srcH) / 2.0;
  const double scaleX = static_cast<double>(srcW) / static_cast<double>(width) * (mirrorX ? -1 : 1);
  const double scaleY = static_cast<double>(srcH) / static_cast<double>(height) * (mirrorY ? -1 : 1);
  const double c = std::cos(static_cast<double>(angle)), s = std::sin(static_cast<double>(angle));
  const bool bilinear = (mode & kRasterFilterMask) == kRasterBilinear;
  const bool exactHalf = (mode & (kRasterOperationMask | kRasterUseSourceAlpha)) == 0 && alpha == 0.5f;
  const long long span = dest->RowSpan();

  for (long long y = clipY.start; y < clipY.start + clipY.length; ++y) {
    const double py = static_cast<double>(y) + 0.5 - cy;
    RasterPixel* row = dp + y * span;
    for (long long x = clipX.start; x < clipX.start + clipX.length; ++x) {
      const double px = static_cast<double>(x) + 0.5 - cx;
      // Inverse of a clockwise rotation on screen (y grows downward).
      const double u = px * c + py * s, v = -px * s + py * c;
      const double sx = scx + u * scaleX, sy = scy + v * scaleY;
      RasterPixel sample;
      const bool found = bilinear ? SampleBilinear(view, sx, sy, &sample) : SampleNearest(view, sx, sy, &sample);
      if (!found) continue;
      if (exactHalf) {
        row[x] = Average(sample, row[x]);
      } else {
        ComposeByMode(row[x], sample, k, mode);
      }
    }
  }
}

}  // namespace quivorant
