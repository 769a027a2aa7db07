// Arcs and filled sectors by scanning the circle's bounding box (clipped to the bitmap): each
// pixel centre is tested for its distance from the centre and its angle, so coverage is exact,
// every pixel is touched once (which matters at partial opacity) and huge radii cost no more
// than the bitmap.
#include "raster/RasterLine.h"

#include "raster/detail/Plotter.h"

#include <algorithm>
#include <cmath>

namespace quivorant {

using namespace detail;

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
// Angles arrive in single precision; end points on the axes must still count as inside.
constexpr double kAngleSlack = 1e-6;

class AngleRange {
public:
  AngleRange(double from, double to) : from_(std::min(from, to)), sweep_(std::fabs(to - from)) {}
  bool Contains(double dx, double dy) const {
    if (sweep_ >= kTwoPi - kAngleSlack || (dx == 0.0 && dy == 0.0)) return true;
    // 0 points up and angles grow clockwise; y grows downward.
    double rel = std::fmod(std::atan2(dx, -dy) - from_, kTwoPi);
    if (rel < 0.0) rel += kTwoPi;
    return rel <= sweep_ + kAngleSlack || rel >= kTwoPi - kAngleSlack;
  }

private:
  double from_;
  double sweep_;
};

enum class Shape { Ring, Disc };

// Coverage in 1/256 of the pixel at distance d from the centre.
int Coverage(Shape shape, double d, double radius, bool antialias) {
  const double inside = shape == Shape::Disc ? radius + 0.5 - d : 0.5 - std::fabs(d - radius);
  if (!antialias) return inside >= 0.0 ? 256 : 0;
  // A one-pixel ramp centred on the edge.
  const double c = std::clamp(inside + 0.5, 0.0, 1.0);
  return static_cast<int>(c * 256.0 + 0.5);
}

void DrawRound(Shape shape, RasterBitmap* dest, float centreX, float centreY, float radius, float fromAngle,
               float toAngle, RasterPixel colour, float alpha, int mode, bool antialias) {
  if (dest == nullptr) return;
  Plotter plot(dest, colour, alpha, mode);
  if (!plot.CanDraw()) return;
  const double cx = centreX, cy = centreY, r = radius;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || r < 0.0) return;
  if (!std::isfinite(fromAngle) || !std::isfinite(toAngle)) return;
  const AngleRange range(fromAngle, toAngle);
  const double reach = r + 1.5;
  const double x0 = std::max(0.0, std::floor(cx - reach));
  const double y0 = std::max(0.0, std::floor(cy - reach));
  const double x1 = std::min(static_cast<double>(plot.Width() - 1), std::ceil(cx + reach));
  const double y1 = std::min(static_cast<double>(plot.Height() - 1), std::ceil(cy + reach));
  if (x0 > x1 || y0 > y1) return;
  const double outer = (r + 1.0) * (r + 1.0);
  for (long long y = static_cast<long long>(y0); y <= static_cast<long long>(y1); ++y) {
    const double dy = static_cast<double>(y) - cy;
    for (long long x = static_cast<long long>(x0); x <= static_cast<long long>(x1); ++x) {
      const double dx = static_cast<double>(x) - cx;
      const double d2 = dx * dx + dy * dy;
      if (d2 > outer) continue;
      const int coverage = Coverage(shape, std::sqrt(d2), r, antialias);
      if (coverage > 0 && range.Contains(dx, dy)) plot.Plot(x, y, coverage);
    }
  }
}

}  // namespace

void RasterArc(RasterBitmap* dest, float centreX, float centreY, float radius, float fromAngle, float toAngle,
               RasterPixel colour, float alpha, int mode, bool antialias) {
  DrawRound(Shape::Ring, dest, centreX, centreY, radius, fromAngle, toAngle, colour, alpha, mode, antialias);
}

void RasterFillSector(RasterBitmap* dest, float centreX, float centreY, float radius, float fromAngle, float toAngle,
                      RasterPixel colour, float alpha, int mode, bool antialias) {
  DrawRound(Shape::Disc, dest, centreX, centreY, radius, fromAngle, toAngle, colour, alpha, mode, antialias);
}

}  // namespace quivorant
