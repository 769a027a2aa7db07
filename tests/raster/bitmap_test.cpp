#include "raster/RasterMemBitmap.h"
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace quivorant {
namespace {

bool Aligned64(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 64 == 0; }

// Writing every pixel of every row must be possible (the sanitizers catch overruns).
void Touch(RasterBitmap& b) {
  for (int y = 0; y < b.Height(); ++y)
    std::memset(b.PixelData() + y * b.RowSpan(), 0x5A, sizeof(RasterPixel) * b.Width());
}

TEST(RasterMemBitmap, RowsAreAlignedAndSpansRounded) {
  struct Case {
    int alignment, width, span;
  };
  const Case cases[] = {{0, 13, 13}, {1, 13, 13}, {4, 13, 16},  {4, 16, 16},
                        {6, 13, 14}, {8, 9, 16},  {64, 17, 32}, {3, 7, 7}};
  for (const Case& c : cases) {
    RasterMemBitmap b(c.width, 3, c.alignment);
    EXPECT_EQ(b.RowSpan(), c.span) << "alignment " << c.alignment;
    EXPECT_TRUE(Aligned64(b.PixelData()));
    EXPECT_EQ(b.DeviceContext(), nullptr);
    EXPECT_FALSE(b.IsBottomUp());
    EXPECT_EQ(b.ExtendedQuery(0x54455354, nullptr), 0);
    Touch(b);
  }
}

TEST(RasterMemBitmap, GrowsByAQuarterAndNeverShrinks) {
  RasterMemBitmap b(10, 10, 4);
  EXPECT_EQ(b.AllocatedBytes(), 12u * 10u * 4u / 4u * 5u);
  RasterPixel* first = b.PixelData();
  EXPECT_FALSE(b.SetSize(10, 10));  // unchanged
  EXPECT_TRUE(b.SetSize(12, 12));   // 576 bytes fit in the 600 reserved
  EXPECT_EQ(b.PixelData(), first);
  EXPECT_TRUE(b.SetSize(1, 1));
  EXPECT_EQ(b.PixelData(), first);
  EXPECT_EQ(b.AllocatedBytes(), 600u);
  EXPECT_TRUE(b.SetSize(20, 20));
  EXPECT_EQ(b.AllocatedBytes(), 20u * 20u * 4u / 4u * 5u);
  EXPECT_TRUE(Aligned64(b.PixelData()));
  Touch(b);
  EXPECT_TRUE(b.SetSize(0, 5));  // nothing to hold: storage freed
  EXPECT_EQ(b.PixelData(), nullptr);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  EXPECT_EQ(b.AllocatedBytes(), 0u);
  EXPECT_TRUE(b.SetSize(3, 2));
  EXPECT_NE(b.PixelData(), nullptr);
}

TEST(RasterMemBitmap, ImpossibleSizesLeaveAnEmptyBitmap) {
  RasterMemBitmap b(4, 4, 4);
  EXPECT_FALSE(b.SetSize(INT_MAX, INT_MAX));
  EXPECT_EQ(b.PixelData(), nullptr);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  EXPECT_FALSE(b.SetSize(INT_MAX, 1));  // the rounded span does not fit an int
  EXPECT_EQ(b.Width(), 0);
  EXPECT_TRUE(b.SetSize(-5, 3));
  EXPECT_EQ(b.PixelData(), nullptr);
  EXPECT_TRUE(b.SetSize(8, 8));
  Touch(b);
}

TEST(RasterSysBitmap, KeepsItsStorageWhenShrinkingAndRoundsRowsToFour) {
  RasterSysBitmap b(100, 100);
  ASSERT_NE(b.PixelData(), nullptr);
  EXPECT_EQ(b.RowSpan(), 100);
  EXPECT_FALSE(b.IsBottomUp());
  void* const dc = b.DeviceContext();
#ifdef _WIN32
  EXPECT_NE(dc, nullptr);
#else
  EXPECT_EQ(dc, nullptr);
#endif
  const void* section = b.StorageIdentity();
  RasterPixel* pixels = b.PixelData();
  Touch(b);

  EXPECT_TRUE(b.SetSize(50, 50));
  EXPECT_EQ(b.Width(), 50);
  EXPECT_EQ(b.Height(), 50);
  EXPECT_EQ(b.DeviceContext(), dc);
  EXPECT_EQ(b.StorageIdentity(), section);
  EXPECT_EQ(b.PixelData(), pixels);
  EXPECT_EQ(b.RowSpan(), 100);
  EXPECT_FALSE(b.SetSize(50, 50));

  EXPECT_TRUE(b.SetSize(101, 100));
  EXPECT_EQ(b.AllocatedWidth(), 104);
  EXPECT_EQ(b.AllocatedHeight(), 100);
  EXPECT_EQ(b.RowSpan(), 104);
  EXPECT_EQ(b.Width(), 101);
  EXPECT_EQ(b.DeviceContext(), dc);
  ASSERT_NE(b.PixelData(), nullptr);
  Touch(b);

  EXPECT_FALSE(b.SetSize(0, 0));
  EXPECT_EQ(b.PixelData(), nullptr);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_TRUE(b.SetSize(7, 3));
  EXPECT_EQ(b.RowSpan(), 8);
  Touch(b);
  EXPECT_FALSE(b.SetSize(INT_MAX, 2));
  EXPECT_EQ(b.PixelData(), nullptr);
}

}  // namespace
}  // namespace quivorant
