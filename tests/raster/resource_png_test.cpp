#include "platform/ModuleResources.h"
#include "platform/PlatformDefs.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterPng.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>

#include <memory>

namespace quivorant {
namespace {

using test::Argb;

#if QUIVORANT_PLATFORM_POSIX
// The same 3 x 2 image that the Windows lane links in through its resource script.
const unsigned char kDot[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
                              0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x9D,
                              0x74, 0x66, 0x1A, 0x00, 0x00, 0x00, 0x1E, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
                              0xCF, 0xC0, 0xF0, 0x1F, 0x08, 0x1B, 0x40, 0x14, 0x03, 0x97, 0x88, 0xDC, 0x7F, 0x0D, 0x23,
                              0x9B, 0xFF, 0x6E, 0x01, 0x51, 0x8C, 0x00, 0x71, 0xFD, 0x08, 0x3E, 0x5C, 0xFD, 0x73, 0x70,
                              0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
const EmbeddedResource kResources[] = {{200, "PNG", kDot, sizeof kDot}, {201, "PNG", kDot, 7}};
void RegisterDot() { RegisterEmbeddedResources(kResources, 2); }
#else
void RegisterDot() {}
#endif

TEST(RasterLoadPngResource, DecodesTheModulesImageByNumber) {
  RegisterDot();
  std::unique_ptr<RasterBitmap> b(RasterLoadPngResource(nullptr, 200, nullptr));
  ASSERT_NE(b, nullptr) << RasterPngLastError();
  ASSERT_EQ(b->Width(), 3);
  ASSERT_EQ(b->Height(), 2);
  const RasterPixel* p = b->PixelData();
  const int s = b->RowSpan();
  EXPECT_EQ(p[0], Argb(255, 255, 0, 0));
  EXPECT_EQ(p[1], Argb(128, 0, 255, 0));
  EXPECT_EQ(p[2], Argb(0, 0, 0, 255));  // straight alpha: the colour survives at alpha 0
  EXPECT_EQ(p[s + 0], Argb(255, 10, 20, 30));
  EXPECT_EQ(p[s + 1], Argb(255, 40, 50, 60));
  EXPECT_EQ(p[s + 2], Argb(1, 70, 80, 90));

  RasterMemBitmap into(1, 1, 4);
  EXPECT_EQ(RasterLoadPngResource(nullptr, 200 + 0x10000, &into), &into);
  EXPECT_EQ(into.Width(), 3);
  EXPECT_EQ(RasterLoadPngResource(nullptr, 999, nullptr), nullptr);
#if QUIVORANT_PLATFORM_POSIX
  EXPECT_EQ(RasterLoadPngResource(nullptr, 201, nullptr), nullptr);  // shorter than a signature
#endif
}

}  // namespace
}  // namespace quivorant
