#include "raster/RasterBlit.h"
#include "raster/RasterMemBitmap.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

namespace quivorant {
namespace {

using namespace test;  // the guarded bitmap and its pixel helpers

// A source holding every interesting alpha (0, 1, 127, 128, 254, 255) among random colours, and
// a random destination; each case compares every pixel with the rule evaluated here.
struct Scene {
  explicit Scene(unsigned seed) : src(16, 8, 0), dst(16, 8, 0) {
    std::mt19937 rng(seed);
    const int alphas[] = {0, 1, 127, 128, 254, 255};
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) {
        int a = (x + y) % 7 < 6 ? alphas[(x + y) % 7] : static_cast<int>(rng() & 0xFF);
        src.At(x, y) = Argb(a, rng() & 0xFF, rng() & 0xFF, rng() & 0xFF);
        dst.At(x, y) = static_cast<RasterPixel>(rng());
      }
    }
    src.At(0, 0) = Argb(255, 255, 255, 255);
    dst.At(0, 0) = Argb(255, 255, 255, 255);  // add and dodge must clamp here
  }
  GuardedBitmap src;
  GuardedBitmap dst;
};

int Trunc256(int v) { return v / 256; }  // C++ division truncates toward zero, as the rules do

RasterPixel ExpectedCopy(RasterPixel s, RasterPixel d, float alpha) {
  if (alpha == 1.0f) return s;
  if (alpha == 0.5f) return Argb(A(s) / 2 + A(d) / 2, R(s) / 2 + R(d) / 2, G(s) / 2 + G(d) / 2, B(s) / 2 + B(d) / 2);
  const int k = static_cast<int>(alpha * 256);
  auto c = [k](int sc, int dc) { return sc + Trunc256((dc - sc) * (256 - k)); };
  return Argb(c(A(s), A(d)), c(R(s), R(d)), c(G(s), G(d)), c(B(s), B(d)));
}

RasterPixel ExpectedSourceAlpha(RasterPixel s, RasterPixel d, float alpha) {
  const int sa = A(s);
  if (sa == 0) return d;
  const int k = static_cast<int>(alpha * 256);
  if (k == 256 && sa == 255) return s;
  const int l = k == 256 ? sa : k * (sa + 1) / 256;
  const int keep = k == 256 ? 255 - sa : 256 - l;
  auto c = [keep](int sc, int dc) { return sc + Trunc256((dc - sc) * keep); };
  return Argb(std::min(255, A(d) + l), c(R(s), R(d)), c(G(s), G(d)), c(B(s), B(d)));
}

int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

RasterPixel ExpectedAdd(RasterPixel s, RasterPixel d, float alpha) {
  const int sa = A(s);
  if (sa == 0) return d;
  const int l = static_cast<int>(alpha * 256) * (sa + 1) / 256;
  auto c = [l](int sc, int dc) { return Clamp(dc + l * sc / 256); };
  return Argb(Clamp(A(d) + sa * l / 256), c(R(s), R(d)), c(G(s), G(d)), c(B(s), B(d)));
}

RasterPixel ExpectedDodge(RasterPixel s, RasterPixel d, float alpha) {
  const int l = static_cast<int>(alpha * 256) * (A(s) + 1) / 256;
  auto dodge = [](int dc, int amount) { return std::min(255, amount > 254 ? dc * 256 : dc * 256 / (256 - amount)); };
  auto c = [&](int sc, int dc) { return dodge(dc, l * sc / 256); };
  return Argb(dodge(A(d), A(s) * l / 256), c(R(s), R(d)), c(G(s), G(d)), c(B(s), B(d)));
}

using Rule = RasterPixel (*)(RasterPixel, RasterPixel, float);

void CheckRule(int mode, Rule rule, float alpha, unsigned seed) {
  Scene scene(seed);
  GuardedBitmap before(16, 8, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) before.At(x, y) = scene.dst.At(x, y);
  }
  RasterBlit(&scene.dst, &scene.src, 0, 0, 0, 0, 16, 8, alpha, mode);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const RasterPixel s = scene.src.At(x, y), d = before.At(x, y);
      ASSERT_EQ(scene.dst.At(x, y), rule(s, d, alpha))
          << std::hex << "mode " << mode << " alpha " << alpha << " src " << s << " dst " << d << std::dec << " at "
          << x << "," << y << " seed " << seed;
    }
  }
  EXPECT_EQ(scene.dst.DamagedGuards(), 0);
}

TEST(RasterBlit, EveryModeFollowsItsPerChannelRule) {
  const unsigned seed = 20261208u;
  const float alphas[] = {1.0f, 0.5f, 0.75f, 0.25f, 0.3f, 0.999f, 0.004f};
  for (float alpha : alphas) {
    CheckRule(kRasterCopy, ExpectedCopy, alpha, seed);
    CheckRule(kRasterCopy | kRasterUseSourceAlpha, ExpectedSourceAlpha, alpha, seed + 1);
    CheckRule(kRasterAdd | kRasterUseSourceAlpha, ExpectedAdd, alpha, seed + 2);
    CheckRule(kRasterDodge | kRasterUseSourceAlpha, ExpectedDodge, alpha, seed + 3);
  }
}

TEST(RasterBlit, LandmarkPixels) {
  GuardedBitmap src(4, 1, 0), dst(4, 1, Argb(10, 200, 100, 50));
  src.At(0, 0) = Argb(0, 1, 2, 3);          // fully transparent: no change
  src.At(1, 0) = Argb(255, 9, 8, 7);        // opaque: replaces, alpha 255
  src.At(2, 0) = Argb(255, 255, 255, 255);  // add of white onto a bright pixel clamps
  src.At(3, 0) = Argb(128, 0, 0, 0);
  RasterBlit(&dst, &src, 0, 0, 0, 0, 2, 1, 1.0f, kRasterCopy | kRasterUseSourceAlpha);
  EXPECT_EQ(dst.At(0, 0), Argb(10, 200, 100, 50));
  EXPECT_EQ(dst.At(1, 0), Argb(255, 9, 8, 7));
  RasterBlit(&dst, &src, 2, 0, 2, 0, 1, 1, 1.0f, kRasterAdd | kRasterUseSourceAlpha);
  EXPECT_EQ(dst.At(2, 0), Argb(255, 255, 255, 255));
  // Half-transparent black over (200, 100, 50): 200 - 200 * 128 / 256 ... as the rule gives.
  RasterBlit(&dst, &src, 3, 0, 3, 0, 1, 1, 1.0f, kRasterCopy | kRasterUseSourceAlpha);
  EXPECT_EQ(dst.At(3, 0), Argb(138, 200 * 127 / 256, 100 * 127 / 256, 50 * 127 / 256));
}

TEST(RasterBlit, ZeroAlphaAndNoneChangeNothing) {
  Scene scene(7);
  GuardedBitmap copy(16, 8, 0);
  RasterBlit(&copy, &scene.dst, 0, 0, 0, 0, 16, 8, 1.0f, kRasterCopy);
  const int modes[] = {kRasterCopy, kRasterUseSourceAlpha, kRasterUseSourceAlpha | kRasterAdd,
                       kRasterUseSourceAlpha | kRasterDodge};
  for (int mode : modes) {
    RasterBlit(&scene.dst, &scene.src, 0, 0, 0, 0, 16, 8, 0.0f, mode);
    RasterBlit(&scene.dst, nullptr, 0, 0, 0, 0, 16, 8, 1.0f, mode);
    RasterBlit(nullptr, &scene.src, 0, 0, 0, 0, 16, 8, 1.0f, mode);
  }
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(scene.dst.At(x, y), copy.At(x, y));
  }
}

// Source pixels carry their own coordinates, so every destination pixel tells where it came from.
void FillCoordinates(GuardedBitmap& b) {
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.At(x, y) = Argb(255, x, y, 77);
  }
}

TEST(RasterBlit, ClipsOnAllFourSidesKeepingPixelsAligned) {
  GuardedBitmap src(10, 10, 0);
  FillCoordinates(src);
  struct Case {
    int dx, dy, sx, sy, w, h;
  };
  const Case cases[] = {
      {-3, 2, 0, 0, 10, 10},  // left of the destination
      {4, -5, 0, 0, 10, 10},  // above it
      {7, 1, 0, 0, 10, 10},   // past its right edge
      {1, 8, 0, 0, 10, 10},   // past its bottom
      {2, 2, -3, -4, 8, 8},   // source origin before the source
      {0, 0, 6, 7, 20, 20},   // source rectangle past the source
      {-4, -4, -2, 3, 30, 30},
  };
  for (const Case& c : cases) {
    GuardedBitmap dst(12, 10, 0x11111111u);
    RasterBlit(&dst, &src, c.dx, c.dy, c.sx, c.sy, c.w, c.h, 1.0f, kRasterCopy);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 12; ++x) {
        // The pixel at (x, y) shows source (sx + x - dx, sy + y - dy) when that lies inside both
        // the requested rectangle and the source.
        const int sx = c.sx + x - c.dx, sy = c.sy + y - c.dy;
        const bool covered =
            x >= c.dx && y >= c.dy && x < c.dx + c.w && y < c.dy + c.h && sx >= 0 && sy >= 0 && sx < 10 && sy < 10;
        ASSERT_EQ(dst.At(x, y), covered ? Argb(255, sx, sy, 77) : 0x11111111u)
            << "case " << c.dx << "," << c.dy << "," << c.sx << "," << c.sy << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(dst.DamagedGuards(), 0);
  }
}

TEST(RasterBlit, ExtremeCoordinatesNeverWriteOutside) {
  GuardedBitmap src(10, 10, 0);
  FillCoordinates(src);
  const int values[] = {INT_MIN, INT_MIN + 1, -1000000, -1, 0, 5, 1000000, INT_MAX - 1, INT_MAX};
  const int modes[] = {kRasterCopy, kRasterUseSourceAlpha, kRasterUseSourceAlpha | kRasterAdd};
  GuardedBitmap dst(12, 10, 0);
  for (int a : values) {
    for (int b : values) {
      for (int mode : modes) {
        RasterBlit(&dst, &src, a, 0, 0, 0, b, 10, 1.0f, mode);
        RasterBlit(&dst, &src, 0, a, 0, 0, 10, b, 0.5f, mode);
        RasterBlit(&dst, &src, 0, 0, a, b, a, b, 0.3f, mode);
        RasterBlit(&dst, &src, a, b, b, a, INT_MAX, INT_MAX, 1.0f, mode);
      }
    }
  }
  EXPECT_EQ(dst.DamagedGuards(), 0);
}

TEST(RasterBlit, OverlappingBlitWithinOneBitmapMovesThePicture) {
  for (int dx = -2; dx <= 2; ++dx) {
    for (int dy = -2; dy <= 2; ++dy) {
      for (float alpha : {1.0f, 0.3f}) {
        GuardedBitmap b(10, 10, 0), original(10, 10, 0);
        FillCoordinates(b);
        FillCoordinates(original);
        RasterBlit(&b, &b, 2 + dx, 2 + dy, 2, 2, 6, 6, alpha, kRasterCopy);
        for (int y = 0; y < 6; ++y) {
          for (int x = 0; x < 6; ++x) {
            const RasterPixel under = original.At(2 + dx + x, 2 + dy + y);
            ASSERT_EQ(b.At(2 + dx + x, 2 + dy + y), ExpectedCopy(original.At(2 + x, 2 + y), under, alpha))
                << dx << "," << dy << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(RasterBlit, OutOfRangeAlphaIsLimited) {
  Scene scene(3);
  GuardedBitmap expected(16, 8, 0);
  RasterBlit(&expected, &scene.dst, 0, 0, 0, 0, 16, 8, 1.0f, kRasterCopy);
  RasterBlit(&expected, &scene.src, 0, 0, 0, 0, 16, 8, 1.0f, kRasterUseSourceAlpha);
  RasterBlit(&scene.dst, &scene.src, 0, 0, 0, 0, 16, 8, 7.5f, kRasterUseSourceAlpha);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(scene.dst.At(x, y), expected.At(x, y));
  }
  GuardedBitmap untouched(16, 8, 0);
  RasterBlit(&untouched, &scene.dst, 0, 0, 0, 0, 16, 8, -2.0f, kRasterCopy);
  EXPECT_EQ(untouched.CountNot(0), 0);
}

}  // namespace
}  // namespace quivorant
