// A bitmap that lives inside a larger buffer filled with a sentinel, so a test can prove that an
// operation wrote nothing outside the bitmap, whatever coordinates it was given.
#pragma once

#include "raster/RasterBitmap.h"

#include <vector>

namespace quivorant {
namespace test {

class GuardedBitmap : public RasterBitmap {
public:
  static constexpr int kBorder = 8;
  static constexpr RasterPixel kSentinel = 0xDEADBEEFu;

  GuardedBitmap(int width, int height, RasterPixel fill)
      : width_(width),
        height_(height),
        span_(width + 2 * kBorder + 3),
        buffer_(static_cast<std::size_t>(span_) * (height + 2 * kBorder), kSentinel) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) At(x, y) = fill;
    }
  }

  RasterPixel* PixelData() override { return buffer_.data() + kBorder * span_ + kBorder; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowSpan() const override { return span_; }
  bool IsBottomUp() const override { return false; }
  bool SetSize(int, int) override { return false; }
  void* DeviceContext() override { return nullptr; }
  int ExtendedQuery(std::uint32_t, void*) override { return 0; }

  RasterPixel& At(int x, int y) { return PixelData()[y * span_ + x]; }

  // Counts buffer pixels outside the bitmap that no longer hold the sentinel.
  int DamagedGuards() const {
    int damaged = 0;
    for (int y = 0; y < height_ + 2 * kBorder; ++y) {
      for (int x = 0; x < span_; ++x) {
        const bool inside = y >= kBorder && y < kBorder + height_ && x >= kBorder && x < kBorder + width_;
        if (!inside && buffer_[static_cast<std::size_t>(y) * span_ + x] != kSentinel) ++damaged;
      }
    }
    return damaged;
  }

  int CountNot(RasterPixel value) {
    int n = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) n += At(x, y) != value ? 1 : 0;
    }
    return n;
  }

private:
  int width_;
  int height_;
  int span_;
  std::vector<RasterPixel> buffer_;
};

inline RasterPixel Argb(int a, int r, int g, int b) {
  return (static_cast<RasterPixel>(a) << 24) | (static_cast<RasterPixel>(r) << 16) |
         (static_cast<RasterPixel>(g) << 8) | static_cast<RasterPixel>(b);
}
inline int A(RasterPixel p) { return static_cast<int>(p >> 24); }
inline int R(RasterPixel p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int G(RasterPixel p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int B(RasterPixel p) { return static_cast<int>(p & 0xFF); }

}  // namespace test
}  // namespace quivorant
