#include "raster/RasterFill.h"
#include "raster/RasterLine.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace quivorant {
namespace {

using namespace test;  // the guarded bitmap and its pixel helpers

void FillRandom(GuardedBitmap& b, unsigned seed) {
  std::mt19937 rng(seed);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.At(x, y) = static_cast<RasterPixel>(rng());
  }
}

// The general fill rule, per channel, for any opacity k in 1..255.
RasterPixel GeneralFill(RasterPixel colour, RasterPixel p, int k) {
  auto c = [k](int pc, int cc) { return (pc - cc) * (256 - k) / 256 + cc; };
  return Argb(k + (A(p) - k) * (256 - k) / 256, c(R(p), R(colour)), c(G(p), G(colour)), c(B(p), B(colour)));
}

int Half(int v) { return v >> 1; }
int Quarter(int v) { return v >> 2; }

TEST(RasterFillRect, OpacitiesFollowTheirRules) {
  const RasterPixel colour = Argb(200, 10, 130, 251);
  const float alphas[] = {1.0f, 0.75f, 0.5f, 0.25f, 0.3f, 0.9f, 0.01f};
  for (float alpha : alphas) {
    GuardedBitmap b(9, 5, 0), before(9, 5, 0);
    FillRandom(b, 11);
    FillRandom(before, 11);
    RasterFillRect(&b, 0, 0, 9, 5, colour, alpha, kRasterCopy);
    const int k = static_cast<int>(alpha * 256);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 9; ++x) {
        const RasterPixel p = before.At(x, y);
        RasterPixel want;
        auto each = [&](auto f) {
          return Argb(f(A(colour), A(p)), f(R(colour), R(p)), f(G(colour), G(p)), f(B(colour), B(p)));
        };
        switch (k) {
          case 256:
            want = colour;
            break;
          case 192:
            want = each([](int c, int v) { return Half(c) + Quarter(c) + Quarter(v); });
            break;
          case 128:
            want = each([](int c, int v) { return Half(c) + Half(v); });
            break;
          case 64:
            want = each([](int c, int v) { return Quarter(c) + Half(v) + Quarter(v); });
            break;
          default:
            want = GeneralFill(colour, p, k);
            break;
        }
        ASSERT_EQ(b.At(x, y), want) << "alpha " << alpha << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterFillRect, SourceAlphaScalesTheOpacity) {
  // Colour alpha 128 at weight 1.0 is a 50 % fill (k = 128), exactly as the half-opacity fill.
  const RasterPixel colour = Argb(128, 255, 7, 64);
  GuardedBitmap viaColour(6, 4, 0), viaWeight(6, 4, 0);
  FillRandom(viaColour, 5);
  FillRandom(viaWeight, 5);
  RasterFillRect(&viaColour, 0, 0, 6, 4, colour, 1.0f, kRasterCopy | kRasterUseSourceAlpha);
  RasterFillRect(&viaWeight, 0, 0, 6, 4, colour, 0.5f, kRasterCopy);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) ASSERT_EQ(viaColour.At(x, y), viaWeight.At(x, y));
  }
  // A transparent colour with the source-alpha bit draws nothing.
  GuardedBitmap untouched(6, 4, 0x12345678u);
  RasterFillRect(&untouched, 0, 0, 6, 4, Argb(0, 255, 255, 255), 1.0f, kRasterUseSourceAlpha);
  EXPECT_EQ(untouched.CountNot(0x12345678u), 0);
}

TEST(RasterFillRect, AddClampsEachChannel) {
  GuardedBitmap b(2, 1, 0);
  b.At(0, 0) = Argb(250, 250, 10, 0);
  b.At(1, 0) = Argb(0, 0, 0, 0);
  RasterFillRect(&b, 0, 0, 2, 1, Argb(255, 100, 100, 100), 0.5f, kRasterAdd);
  // k = 128: channel + colour * 128 / 256, alpha + 128 * 128 / 256.
  EXPECT_EQ(b.At(0, 0), Argb(255, 255, 60, 50));
  EXPECT_EQ(b.At(1, 0), Argb(64, 50, 50, 50));
}

TEST(RasterFillRect, ClipsAndIgnoresEmptyRectangles) {
  GuardedBitmap b(10, 6, 0);
  RasterFillRect(&b, -3, -2, 5, 4, 0xFFFFFFFFu, 1.0f, kRasterCopy);  // top-left corner: 2 x 2
  EXPECT_EQ(b.CountNot(0), 4);
  EXPECT_EQ(b.At(1, 1), 0xFFFFFFFFu);
  RasterFillRect(&b, 8, 4, 100, 100, 0xFFFFFFFFu, 1.0f, kRasterCopy);  // bottom-right: 2 x 2
  EXPECT_EQ(b.CountNot(0), 8);
  EXPECT_EQ(b.At(9, 5), 0xFFFFFFFFu);
  RasterFillRect(&b, 3, 3, 0, 2, 0xFFFFFFFFu, 1.0f, kRasterCopy);
  RasterFillRect(&b, 3, 3, 2, -2, 0xFFFFFFFFu, 1.0f, kRasterCopy);
  RasterFillRect(&b, 10, 0, 2, 2, 0xFFFFFFFFu, 1.0f, kRasterCopy);
  RasterFillRect(nullptr, 0, 0, 2, 2, 0xFFFFFFFFu, 1.0f, kRasterCopy);
  EXPECT_EQ(b.CountNot(0), 8);

  const int values[] = {INT_MIN, INT_MIN + 1, -7, 0, 3, INT_MAX - 1, INT_MAX};
  for (int x : values) {
    for (int w : values) {
      RasterFillRect(&b, x, x, w, w, 0x80FFFFFFu, 0.6f, kRasterCopy);
      RasterFillRect(&b, x, 0, w, INT_MAX, 0x80FFFFFFu, 1.0f, kRasterAdd);
      RasterFillRect(&b, 0, x, INT_MAX, w, 0x80FFFFFFu, 1.0f, kRasterUseSourceAlpha);
    }
  }
  EXPECT_EQ(b.DamagedGuards(), 0);
}

TEST(RasterLine, AxisAlignedLinesMatchFillsAndIncludeBothEnds) {
  for (float alpha : {1.0f, 0.75f, 0.5f, 0.25f, 0.3f}) {
    for (bool antialias : {false, true}) {
      GuardedBitmap line(12, 8, 0), fill(12, 8, 0);
      FillRandom(line, 2);
      FillRandom(fill, 2);
      RasterLine(&line, 2, 3, 9, 3, Argb(255, 1, 2, 3), alpha, kRasterCopy, antialias);
      RasterLine(&line, 5, 7, 5, 0, Argb(255, 1, 2, 3), alpha, kRasterCopy, antialias);
      // The crossing pixel is drawn twice, as it would be with two fills.
      RasterFillRect(&fill, 2, 3, 8, 1, Argb(255, 1, 2, 3), alpha, kRasterCopy);
      RasterFillRect(&fill, 5, 0, 1, 8, Argb(255, 1, 2, 3), alpha, kRasterCopy);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x) ASSERT_EQ(line.At(x, y), fill.At(x, y)) << x << "," << y << " aa " << antialias;
      }
    }
  }
}

TEST(RasterLine, DiagonalsAreConnectedAndSourceAlphaBitPlaysNoPart) {
  GuardedBitmap a(10, 10, 0), b(10, 10, 0);
  RasterLineF(&a, 0.0f, 0.0f, 9.0f, 9.0f, Argb(10, 255, 255, 255), 1.0f, kRasterCopy, false);
  RasterLineF(&b, 0.0f, 0.0f, 9.0f, 9.0f, Argb(10, 255, 255, 255), 1.0f, kRasterCopy | kRasterUseSourceAlpha, false);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(a.At(i, i), Argb(10, 255, 255, 255)) << i;
    EXPECT_EQ(b.At(i, i), a.At(i, i));
  }
  EXPECT_EQ(a.CountNot(0), 10);
  // A shallow line has exactly one pixel per column.
  GuardedBitmap c(10, 10, 0);
  RasterLine(&c, 0, 1, 9, 4, 0xFFFFFFFFu, 1.0f, kRasterCopy, false);
  for (int x = 0; x < 10; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 10; ++y) inColumn += c.At(x, y) != 0 ? 1 : 0;
    EXPECT_EQ(inColumn, 1) << x;
  }
  EXPECT_NE(c.At(0, 1), 0u);
  EXPECT_NE(c.At(9, 4), 0u);
}

TEST(RasterLine, SmoothLinesShareCoverageBetweenNeighbours) {
  GuardedBitmap b(10, 10, Argb(255, 0, 0, 0));
  // Half-way between rows 2 and 3: both get about half the colour.
  RasterLineF(&b, 1.0f, 2.5f, 8.0f, 2.5f, Argb(255, 255, 255, 255), 1.0f, kRasterCopy, true);
  for (int x = 1; x <= 8; ++x) {
    EXPECT_NEAR(R(b.At(x, 2)), 128, 2) << x;
    EXPECT_NEAR(R(b.At(x, 3)), 128, 2) << x;
  }
  EXPECT_EQ(b.At(0, 2), Argb(255, 0, 0, 0));
  EXPECT_EQ(b.At(4, 1), Argb(255, 0, 0, 0));
}

TEST(RasterLine, AnyEndPointsStayInside) {
  GuardedBitmap b(7, 5, 0);
  const int values[] = {INT_MIN, -1000000000, -3, 0, 2, 6, 1000000000, INT_MAX};
  for (int p : values) {
    for (int q : values) {
      for (bool aa : {false, true}) {
        RasterLine(&b, p, q, q, p, 0xFFFFFFFFu, 1.0f, kRasterCopy, aa);
        RasterLine(&b, p, 2, q, 2, 0xFFFFFFFFu, 0.5f, kRasterAdd, aa);
        RasterLineF(&b, static_cast<float>(p), 1e30f, -1e30f, static_cast<float>(q), 0xFFFFFFFFu, 1.0f, kRasterCopy,
                    aa);
      }
    }
  }
  RasterLineF(&b, NAN, 0.0f, 3.0f, 3.0f, 0xFFFFFFFFu, 1.0f, kRasterCopy, true);
  RasterLineF(&b, INFINITY, 0.0f, 3.0f, 3.0f, 0xFFFFFFFFu, 1.0f, kRasterCopy, false);
  EXPECT_EQ(b.DamagedGuards(), 0);
  // A segment wholly outside draws nothing.
  GuardedBitmap c(7, 5, 0);
  RasterLine(&c, -5, -1, 20, -1, 0xFFFFFFFFu, 1.0f, kRasterCopy, false);
  RasterLine(&c, 7, 0, 7, 4, 0xFFFFFFFFu, 1.0f, kRasterCopy, false);
  EXPECT_EQ(c.CountNot(0), 0);
}

TEST(RasterArc, QuarterSectorsFillTheirQuadrantOnly) {
  // Upper-left quarter (-pi/2 .. 0) of radius 4 about (5, 5): pixels left of and above the
  // centre, within the radius, each once.
  const float kHalfPi = 1.5707963f;
  GuardedBitmap b(12, 12, 0);
  RasterFillSector(&b, 5.0f, 5.0f, 4.0f, -kHalfPi, 0.0f, Argb(255, 9, 9, 9), 0.5f, kRasterCopy, false);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inQuadrant = x <= 5 && y <= 5 && std::hypot(x - 5.0, y - 5.0) <= 4.5;
      ASSERT_EQ(b.At(x, y) != 0, inQuadrant) << x << "," << y;
      if (inQuadrant) {
        ASSERT_EQ(b.At(x, y), Argb(127, 4, 4, 4)) << x << "," << y;  // drawn once
      }
    }
  }
  EXPECT_EQ(b.At(5, 1), Argb(127, 4, 4, 4));  // straight up: angle 0
  EXPECT_EQ(b.At(1, 5), Argb(127, 4, 4, 4));  // straight left: angle -pi/2

  // Angles run clockwise from the top: 0 .. pi/2 is the upper-right quarter.
  GuardedBitmap c(12, 12, 0);
  RasterFillSector(&c, 5.0f, 5.0f, 4.0f, 0.0f, kHalfPi, 0xFFFFFFFFu, 1.0f, kRasterCopy, true);
  EXPECT_NE(c.At(8, 3), 0u);
  EXPECT_EQ(c.At(2, 3), 0u);
  EXPECT_EQ(c.At(8, 7), 0u);
}

TEST(RasterArc, ArcsTraceTheCircleAndClip) {
  GuardedBitmap b(21, 21, 0);
  RasterArc(&b, 10.0f, 10.0f, 8.0f, 0.0f, 6.2831853f, 0xFFFFFFFFu, 1.0f, kRasterCopy, false);
  int drawn = 0;
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 21; ++x) {
      if (b.At(x, y) == 0) continue;
      ++drawn;
      EXPECT_NEAR(std::hypot(x - 10.0, y - 10.0), 8.0, 0.5) << x << "," << y;
    }
  }
  EXPECT_GT(drawn, 40);  // a ring of radius 8 covers about 2 pi 8 pixels
  EXPECT_NE(b.At(10, 2), 0u);
  EXPECT_NE(b.At(18, 10), 0u);

  GuardedBitmap c(6, 6, 0);
  RasterArc(&c, -1e9f, 3.0f, 2e9f, -10.0f, 10.0f, 0xFFFFFFFFu, 1.0f, kRasterCopy, true);
  RasterFillSector(&c, 3.0f, 3.0f, 1e30f, 0.0f, 3.0f, 0xFFFFFFFFu, 1.0f, kRasterAdd, true);
  RasterFillSector(&c, 3.0f, 3.0f, -5.0f, 0.0f, 3.0f, 0xFFFFFFFFu, 1.0f, kRasterCopy, true);
  RasterFillSector(&c, NAN, 3.0f, 5.0f, 0.0f, 3.0f, 0xFFFFFFFFu, 1.0f, kRasterCopy, true);
  EXPECT_EQ(c.DamagedGuards(), 0);
}

}  // namespace
}  // namespace quivorant
