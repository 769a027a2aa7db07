#include "raster/RasterLine.h"

#include "raster/detail/Plotter.h"

#include <cmath>
#include <utility>

namespace quivorant {

using namespace detail;

namespace {

// Liang-Barsky: keeps the part of the segment inside [lo, hi] on both axes; false when none.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY, double hiX, double hiY) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

long long RoundHalfAway(double v) { return static_cast<long long>(v < 0.0 ? v - 0.5 : v + 0.5); }

void PlainLine(Plotter& plot, double fx1, double fy1, double fx2, double fy2) {
  long long x = RoundHalfAway(fx1), y = RoundHalfAway(fy1);
  const long long x2 = RoundHalfAway(fx2), y2 = RoundHalfAway(fy2);
  const long long dx = x2 > x ? x2 - x : x - x2, dy = y2 > y ? y - y2 : y2 - y;
  const long long sx = x < x2 ? 1 : -1, sy = y < y2 ? 1 : -1;
  long long err = dx + dy;
  for (;;) {
    plot.Plot(x, y);
    if (x == x2 && y == y2) break;
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// One pixel pair per step along the major axis, sharing the coverage by the distance to the
// ideal line; axis-aligned lines at whole coordinates come out exactly like plain ones.
void SmoothLine(Plotter& plot, double x1, double y1, double x2, double y2) {
  const bool steep = std::fabs(y2 - y1) > std::fabs(x2 - x1);
  if (steep) {
    std::swap(x1, y1);
    std::swap(x2, y2);
  }
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const long long start = RoundHalfAway(x1), end = RoundHalfAway(x2);
  const double gradient = x2 > x1 ? (y2 - y1) / (x2 - x1) : 0.0;
  for (long long major = start; major <= end; ++major) {
    const double minor = y1 + gradient * (static_cast<double>(major) - x1);
    const double base = std::floor(minor);
    const int upper = static_cast<int>((minor - base) * 256.0 + 0.5);
    const long long m = static_cast<long long>(base);
    if (steep) {
      plot.Plot(m, major, 256 - upper);
      plot.Plot(m + 1, major, upper);
    } else {
      plot.Plot(major, m, 256 - upper);
      plot.Plot(major, m + 1, upper);
    }
  }
}

void DrawSegment(RasterBitmap* dest, double x1, double y1, double x2, double y2, RasterPixel colour, float alpha,
                 int mode, bool antialias) {
  if (dest == nullptr) return;
  Plotter plot(dest, colour, alpha, mode);
  if (!plot.CanDraw()) return;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  // A smoothed line reaches one pixel further; the plotter drops what falls outside.
  const double margin = antialias ? 1.0 : 0.0;
  if (!ClipSegment(x1, y1, x2, y2, -0.5 - margin, -0.5 - margin, plot.Width() - 0.5 + margin,
                   plot.Height() - 0.5 + margin)) {
    return;
  }
  if (antialias) {
    SmoothLine(plot, x1, y1, x2, y2);
  } else {
    PlainLine(plot, x1, y1, x2, y2);
  }
}

}  // namespace

void RasterLine(RasterBitmap* dest, int x1, int y1, int x2, int y2, RasterPixel colour, float alpha, int mode,
                bool antialias) {
  DrawSegment(dest, x1, y1, x2, y2, colour, alpha, mode, antialias);
}

void RasterLineF(RasterBitmap* dest, float x1, float y1, float x2, float y2, RasterPixel colour, float alpha, int mode,
                 bool antialias) {
  DrawSegment(dest, x1, y1, x2, y2, colour, alpha, mode, antialias);
}

}  // namespace quivorant
