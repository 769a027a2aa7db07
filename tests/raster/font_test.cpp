#include "raster/RasterCachedFont.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterSysBitmap.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace quivorant {
namespace {

constexpr RasterPixel kWhite = 0xFFFFFFFFu;
constexpr RasterPixel kInk = 0xFF1040C0u;

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right/bottom inclusive
  int count = 0;
  bool Empty() const { return count == 0; }
};

Box Changed(RasterBitmap& b, RasterPixel background) {
  Box box;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.PixelData()[y * b.RowSpan() + x] == background) continue;
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

void Clear(RasterBitmap& b, RasterPixel colour) {
  for (int y = 0; y < b.Height(); ++y) std::fill_n(b.PixelData() + y * b.RowSpan(), b.Width(), colour);
}

// The pixel farthest from white, i.e. the one with the fullest coverage.
RasterPixel Darkest(RasterBitmap& b) {
  RasterPixel best = kWhite;
  int bestSum = 3 * 255;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const RasterPixel p = b.PixelData()[y * b.RowSpan() + x];
      const int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
      if (sum < bestSum) best = p, bestSum = sum;
    }
  }
  return best;
}

class FontTest : public ::testing::Test {
protected:
  void SetUp() override {
    RasterFontHandle handle = RasterCreateFontHandle({"Arial", 40, 0, 0, 400, false, kRasterFontAntialiased});
    ASSERT_NE(handle, nullptr);
    font_.SetFromFontHandle(handle, kRasterFontOwnsHandle | kRasterFontSystemRenderer);
    ASSERT_NE(font_.FontHandle(), nullptr);
  }
  RasterCachedFont font_;
  RasterMemBitmap canvas_{300, 60, 4};
};

TEST_F(FontTest, LineHeightIsTheRequestedCellHeight) {
  EXPECT_NEAR(font_.LineHeight(), 40, 1);
  EXPECT_EQ(font_.TextColor(), 0u);
  EXPECT_EQ(font_.SetTextColor(kInk), 0u);
  EXPECT_EQ(font_.SetTextColor(kInk), kInk);
  const int one = font_.MeasureText("I", -1);
  EXPECT_GT(one, 3);
  EXPECT_EQ(font_.MeasureText("IIII", -1), 4 * one);
  EXPECT_EQ(font_.MeasureText("IIII", 2), 2 * one);
  EXPECT_GT(font_.MeasureText("WWW", -1), font_.MeasureText("iii", -1));
}

TEST_F(FontTest, DrawsInTheTextColourAtEachAlignment) {
  font_.SetTextColor(kInk);
  const RasterRect rect{20, 8, 280, 58};
  const int width = font_.MeasureText("IHIH", -1);
  struct Case {
    int flags;
    int expectedLeft;
  };
  const Case cases[] = {{kRasterTextNoClip, 20},
                        {kRasterTextNoClip | kRasterTextCenter, 20 + (260 - width) / 2},
                        {kRasterTextNoClip | kRasterTextRight, 280 - width}};
  for (const Case& c : cases) {
    Clear(canvas_, kWhite);
    EXPECT_NEAR(font_.DrawText(&canvas_, "IHIH", -1, rect, c.flags), 40, 1);
    const Box box = Changed(canvas_, kWhite);
    ASSERT_FALSE(box.Empty()) << "flags " << c.flags;
    // Ink starts within a few pixels of the pen (the side bearing) and spans about the width.
    EXPECT_GE(box.left, c.expectedLeft) << "flags " << c.flags;
    EXPECT_LE(box.left, c.expectedLeft + 6) << "flags " << c.flags;
    EXPECT_LE(box.right, c.expectedLeft + width) << "flags " << c.flags;
    EXPECT_GE(box.right, c.expectedLeft + width - 8) << "flags " << c.flags;
    // Capitals sit below the top of the line, inside its height.
    EXPECT_GE(box.top, rect.top);
    EXPECT_LE(box.bottom, rect.top + 40);
    EXPECT_GT(box.bottom - box.top, 20);
    // Fully covered stem pixels are exactly the text colour.
    EXPECT_EQ(Darkest(canvas_), kInk);
  }
}

TEST_F(FontTest, TextAlphaAndClipping) {
  // With the use-alpha flag a half-transparent colour gives half the ink on white.
  font_.SetTextColor((kInk & 0x00FFFFFFu) | 0x80000000u);
  Clear(canvas_, kWhite);
  font_.DrawText(&canvas_, "IHIH", -1, RasterRect{0, 0, 300, 60}, kRasterTextNoClip | kRasterTextUseAlpha);
  const RasterPixel half = Darkest(canvas_);
  EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), (0x10 + 255) / 2, 3);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), (0xC0 + 255) / 2, 3);

  // Without DT_NOCLIP nothing lands outside the rectangle.
  font_.SetTextColor(kInk);
  Clear(canvas_, kWhite);
  font_.DrawText(&canvas_, "HHHHHHHHHHHH", -1, RasterRect{10, 10, 60, 30}, 0);
  const Box clipped = Changed(canvas_, kWhite);
  ASSERT_FALSE(clipped.Empty());
  EXPECT_GE(clipped.left, 10);
  EXPECT_LE(clipped.right, 59);
  EXPECT_GE(clipped.top, 10);
  EXPECT_LE(clipped.bottom, 29);

  // Empty text, no bitmap, or text far outside change nothing and do not crash.
  Clear(canvas_, kWhite);
  EXPECT_EQ(font_.DrawText(&canvas_, "", -1, RasterRect{0, 0, 300, 60}, kRasterTextNoClip), 0);
  EXPECT_EQ(font_.DrawText(nullptr, "H", -1, RasterRect{0, 0, 300, 60}, kRasterTextNoClip), 0);
  font_.DrawText(&canvas_, "HHH", -1, RasterRect{-100000, -100000, -99990, -99990}, kRasterTextNoClip);
  EXPECT_TRUE(Changed(canvas_, kWhite).Empty());
  test::GuardedBitmap guarded(40, 20, kWhite);
  const RasterRect extremes[] = {
      {2147483600, 0, 2147483647, 60}, {-2147483647 - 1, -5, 2147483647, 60}, {-30, -30, 10, 10}, {35, 15, 100, 100}};
  for (const RasterRect& r : extremes) {
    for (int flags :
         {0, kRasterTextNoClip, kRasterTextNoClip | kRasterTextRight, kRasterTextCenter | kRasterTextBottom}) {
      font_.DrawText(&guarded, "HgjW", -1, r, flags);
    }
  }
  EXPECT_EQ(guarded.DamagedGuards(), 0);
  EXPECT_GT(guarded.CountNot(kWhite), 0);  // the corner cases did reach into the bitmap
}

TEST_F(FontTest, Utf8AndSingleByteTextBothDraw) {
  font_.SetTextColor(kInk);
  // "é" as UTF-8 and as the Latin-1 byte draw the same glyph.
  Clear(canvas_, kWhite);
  font_.DrawText(&canvas_, "\xC3\xA9", -1, RasterRect{0, 0, 300, 60}, kRasterTextNoClip);
  const Box utf8 = Changed(canvas_, kWhite);
  Clear(canvas_, kWhite);
  font_.DrawText(&canvas_, "\xE9", -1, RasterRect{0, 0, 300, 60}, kRasterTextNoClip);
  const Box latin1 = Changed(canvas_, kWhite);
  ASSERT_FALSE(utf8.Empty());
  EXPECT_EQ(utf8.left, latin1.left);
  EXPECT_EQ(utf8.right, latin1.right);
  EXPECT_EQ(utf8.count, latin1.count);
  // Control characters take no room; a line feed starts a new line below.
  EXPECT_EQ(font_.MeasureText("H\tH\r", -1), font_.MeasureText("HH", -1));
  RasterMemBitmap tall(100, 100, 4), single(100, 100, 4);
  Clear(tall, kWhite);
  Clear(single, kWhite);
  EXPECT_NEAR(font_.DrawText(&tall, "I\r\nI", -1, RasterRect{0, 0, 100, 100}, kRasterTextNoClip), 80, 2);
  font_.DrawText(&single, "I", -1, RasterRect{0, 0, 100, 100}, kRasterTextNoClip);
  // The second line is the first moved down by one line height.
  const int lh = font_.LineHeight();
  for (int y = 0; y + lh < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const RasterPixel first = single.PixelData()[y * single.RowSpan() + x];
      if (y < lh) {
        ASSERT_EQ(tall.PixelData()[y * tall.RowSpan() + x], first) << x << "," << y;
      }
      ASSERT_EQ(tall.PixelData()[(y + lh) * tall.RowSpan() + x], first) << x << "," << y;
    }
  }
  // A lone 0xC3 is not UTF-8: two single-byte characters.
  EXPECT_EQ(font_.MeasureText("\xC3x", -1), font_.MeasureText("\xC3", -1) + font_.MeasureText("x", -1));
}

TEST(RasterCachedFont, DrawsOnTheSystemBitmapToo) {
  RasterCachedFont font;
  font.SetFromFontHandle(RasterCreateFontHandle({"Arial", 16, 0, 0, 700, false, 0}),
                         kRasterFontOwnsHandle | kRasterFontSystemRenderer);
  font.SetTextColor(0xFF000000u);
  RasterSysBitmap b(120, 30);
  Clear(b, kWhite);
  font.DrawText(&b, "Filter", -1, RasterRect{0, 0, 120, 30}, kRasterTextNoClip | kRasterTextCenter);
  const Box box = Changed(b, kWhite);
  ASSERT_FALSE(box.Empty());
  EXPECT_NEAR((box.left + box.right) / 2.0, 60.0, 4.0);
  // A font without a usable handle draws nothing and says so.
  RasterCachedFont none;
  none.SetFromFontHandle(nullptr, 0);
  EXPECT_EQ(none.DrawText(&b, "x", -1, RasterRect{0, 0, 10, 10}, 0), 0);
  EXPECT_EQ(RasterCreateFontHandle({"", 16, 0, 0, 400, false, 0}), nullptr);
}

}  // namespace
}  // namespace quivorant
