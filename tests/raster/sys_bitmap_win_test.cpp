// The draw bitmap's device context and its pixels are the same memory: what GDI draws into the
// context is what the raster layer reads, rows top-down, and that survives a resize.
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace quivorant {
namespace {

TEST(RasterSysBitmapGdi, GdiDrawsIntoTheSamePixelsTopDown) {
  RasterSysBitmap b(30, 20);
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_NE(b.PixelData(), nullptr);
    HDC dc = static_cast<HDC>(b.DeviceContext());
    ASSERT_NE(dc, nullptr);
    for (int y = 0; y < b.Height(); ++y) std::fill_n(b.PixelData() + y * b.RowSpan(), b.Width(), 0u);
    // A white block in the top-left corner: rows counted from the top.
    ASSERT_TRUE(PatBlt(dc, 0, 0, 5, 3, WHITENESS));
    GdiFlush();
    EXPECT_EQ(b.PixelData()[0] & 0x00FFFFFFu, 0x00FFFFFFu);
    EXPECT_EQ(b.PixelData()[2 * b.RowSpan() + 4] & 0x00FFFFFFu, 0x00FFFFFFu);
    EXPECT_EQ(b.PixelData()[3 * b.RowSpan()] & 0x00FFFFFFu, 0u);
    EXPECT_EQ(b.PixelData()[5] & 0x00FFFFFFu, 0u);
    EXPECT_EQ(b.PixelData()[(b.Height() - 1) * b.RowSpan()] & 0x00FFFFFFu, 0u);
    if (pass == 0) {
      ASSERT_TRUE(b.SetSize(61, 25));  // a new DIB section, selected into the same context
      EXPECT_EQ(b.RowSpan(), 64);
      EXPECT_EQ(b.DeviceContext(), dc);
    }
  }
}

}  // namespace
}  // namespace quivorant
