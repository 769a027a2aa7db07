// Puts single pixels with the fill rules at a given coverage, ignoring positions outside the
// bitmap; the common end of lines, arcs and sectors.
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/detail/PixelOps.h"

namespace quivorant {
namespace detail {

class Plotter {
public:
  Plotter(RasterBitmap* dest, RasterPixel colour, float alpha, int mode)
      : pixels_(dest != nullptr ? dest->PixelData() : nullptr),
        width_(dest != nullptr ? dest->Width() : 0),
        height_(dest != nullptr ? dest->Height() : 0),
        span_(dest != nullptr ? dest->RowSpan() : 0),
        colour_(colour),
        k_(OpacityFromAlpha(alpha)),
        operation_(mode & 0xFF) {}

  // False when nothing at all can be drawn (no pixels, zero opacity, an operation fills lack).
  bool CanDraw() const {
    return pixels_ != nullptr && width_ > 0 && height_ > 0 && k_ > 0 && (operation_ == 0 || operation_ == 1);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // coverage in 1/256 (256 = the whole pixel).
  void Plot(long long x, long long y, int coverage = 256) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
    const int k = coverage >= 256 ? k_ : k_ * coverage / 256;
    FillPixel(pixels_ + y * span_ + x, colour_, k, operation_);
  }

private:
  RasterPixel* pixels_;
  int width_;
  int height_;
  long long span_;
  RasterPixel colour_;
  int k_;
  int operation_;
};

}  // namespace detail
}  // namespace quivorant
