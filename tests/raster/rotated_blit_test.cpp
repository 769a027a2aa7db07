#include "raster/RasterBlit.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace quivorant {
namespace {

using namespace test;  // the guarded bitmap and its pixel helpers

constexpr float kHalfPi = 1.57079632679f;

// Every pixel names its own position, opaque.
void Pattern(GuardedBitmap& b) {
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.At(x, y) = Argb(255, 10 * x, 10 * y, 200);
  }
}

TEST(RasterRotatedBlit, ZeroAngleIsAPlainCopyWithEitherFilter) {
  GuardedBitmap src(6, 4, 0);
  Pattern(src);
  for (int filter : {0, kRasterBilinear}) {
    GuardedBitmap dst(10, 8, 0);
    RasterRotatedBlit(&dst, &src, 2, 3, 6, 4, 0, 0, 6, 4, 0.0f, false, 1.0f,
                      kRasterCopy | kRasterUseSourceAlpha | filter, 0, 0);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 10; ++x) {
        const bool inside = x >= 2 && x < 8 && y >= 3 && y < 7;
        ASSERT_EQ(dst.At(x, y), inside ? src.At(x - 2, y - 3) : 0u) << x << "," << y << " filter " << filter;
      }
    }
  }
}

TEST(RasterRotatedBlit, QuarterTurnIsClockwise) {
  // A square turned a quarter clockwise: the source's left column becomes the top row,
  // read from the bottom up; its top row becomes the right column.
  const int n = 5;
  GuardedBitmap src(n, n, 0);
  Pattern(src);
  for (int filter : {0, kRasterBilinear}) {
    GuardedBitmap dst(n, n, 0);
    RasterRotatedBlit(&dst, &src, 0, 0, n, n, 0, 0, n, n, kHalfPi, false, 1.0f, kRasterCopy | filter, 0, 0);
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        ASSERT_EQ(dst.At(x, y), src.At(y, n - 1 - x)) << x << "," << y << " filter " << filter;
      }
    }
  }
}

TEST(RasterRotatedBlit, NegativeSizesMirror) {
  GuardedBitmap src(4, 3, 0);
  Pattern(src);
  GuardedBitmap dst(8, 6, 0);
  // Width -4 at x 6: the rectangle spans columns 2..5, mirrored left to right.
  RasterRotatedBlit(&dst, &src, 6, 1, -4, 3, 0, 0, 4, 3, 0.0f, false, 1.0f, kRasterCopy, 0, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(dst.At(2 + x, 1 + y), src.At(3 - x, y)) << x << "," << y;
  }
  EXPECT_EQ(dst.CountNot(0), 12);
  GuardedBitmap flip(8, 6, 0);
  RasterRotatedBlit(&flip, &src, 0, 3, 4, -3, 0, 0, 4, 3, 0.0f, false, 1.0f, kRasterCopy | kRasterBilinear, 0, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(flip.At(x, y), src.At(x, 2 - y)) << x << "," << y;
  }
}

TEST(RasterRotatedBlit, ScalingAndBilinearEdges) {
  // Doubling a 2 x 1 image: the nearest filter repeats each pixel twice.
  GuardedBitmap src(2, 1, 0);
  src.At(0, 0) = Argb(255, 0, 0, 0);
  src.At(1, 0) = Argb(255, 200, 0, 0);
  GuardedBitmap dst(4, 1, 0);
  RasterRotatedBlit(&dst, &src, 0, 0, 4, 1, 0, 0, 2, 1, 0.0f, false, 1.0f, kRasterCopy, 0, 0);
  EXPECT_EQ(R(dst.At(0, 0)), 0);
  EXPECT_EQ(R(dst.At(1, 0)), 0);
  EXPECT_EQ(R(dst.At(2, 0)), 200);
  EXPECT_EQ(R(dst.At(3, 0)), 200);
  // Bilinear: the inner pixels fall between the two source pixels.
  RasterRotatedBlit(&dst, &src, 0, 0, 4, 1, 0, 0, 2, 1, 0.0f, false, 1.0f, kRasterCopy | kRasterBilinear, 0, 0);
  EXPECT_EQ(R(dst.At(1, 0)), 50);
  EXPECT_EQ(R(dst.At(2, 0)), 150);
  // A transparent neighbour lowers alpha but not the colour (taps are alpha-weighted).
  src.At(0, 0) = Argb(0, 0, 0, 0);
  GuardedBitmap over(4, 1, 0);
  RasterRotatedBlit(&over, &src, 0, 0, 4, 1, 0, 0, 2, 1, 0.0f, false, 1.0f, kRasterCopy | kRasterBilinear, 0, 0);
  EXPECT_EQ(R(over.At(1, 0)), 200);
  EXPECT_EQ(A(over.At(1, 0)), 64);
}

TEST(RasterRotatedBlit, AnyGeometryStaysInside) {
  GuardedBitmap src(8, 8, 0);
  Pattern(src);
  GuardedBitmap dst(9, 7, 0);
  const int values[] = {INT_MIN, -100000, -9, -1, 1, 5, 100000, INT_MAX};
  for (int p : values) {
    for (int q : values) {
      for (float angle : {0.0f, 0.7f, kHalfPi, -3.0f}) {
        RasterRotatedBlit(&dst, &src, p, q, 9, 7, 0, 0, 8, 8, angle, false, 1.0f,
                          kRasterUseSourceAlpha | kRasterBilinear, 0, 0);
        RasterRotatedBlit(&dst, &src, -2, -2, p > 0 ? 20 : -20, q, -4.0f, 3.0f, 30.0f, 1.0f, angle, true, 0.5f,
                          kRasterCopy, 0.5f, -7.0f);
        RasterRotatedBlit(&dst, &src, 0, 0, p, q, 1e30f, -1e30f, 8.0f, 8.0f, angle, false, 1.0f,
                          kRasterAdd | kRasterUseSourceAlpha | kRasterBilinear, 0, 0);
      }
    }
  }
  RasterRotatedBlit(&dst, &src, 0, 0, 9, 7, NAN, 0, 8, 8, 0.0f, false, 1.0f, kRasterCopy, 0, 0);
  RasterRotatedBlit(&dst, &src, 0, 0, 9, 7, 0, 0, 8, 8, INFINITY, false, 1.0f, kRasterCopy, 0, 0);
  EXPECT_EQ(dst.DamagedGuards(), 0);
}

}  // namespace
}  // namespace quivorant
