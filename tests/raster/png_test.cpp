#include "raster/RasterImageLoader.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterPng.h"
#include "tests/raster/GuardedBitmap.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace quivorant {
namespace {

using test::Argb;

// Writes a PNG into memory with libpng itself, so the decoder meets files as real tools make them.
struct PngSpec {
  int width;
  int height;
  int colourType;
  int depth;
  bool interlaced;
  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;  // tRNS for palette images
  bool greyKey = false;                // tRNS for a grey image: the value 0 is transparent
};

void WriteToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void NoFlush(png_structp) {}

std::vector<unsigned char> Encode(const PngSpec& s, const std::vector<std::vector<png_byte>>& rows) {
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "encoding failed";
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, NoFlush);
  png_set_IHDR(png, info, s.width, s.height, s.depth, s.colourType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
  if (!s.paletteAlpha.empty()) {
    png_set_tRNS(png, info, s.paletteAlpha.data(), static_cast<int>(s.paletteAlpha.size()), nullptr);
  }
  png_color_16 key{};
  if (s.greyKey) png_set_tRNS(png, info, nullptr, 0, &key);
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (const auto& r : rows) pointers.push_back(const_cast<png_bytep>(r.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::unique_ptr<RasterBitmap> Decode(const std::vector<unsigned char>& file) {
  return std::unique_ptr<RasterBitmap>(RasterLoadPngMemory(file.data(), file.size(), nullptr));
}

void ExpectPixels(RasterBitmap* b, int w, int h, RasterPixel (*expected)(int x, int y)) {
  ASSERT_NE(b, nullptr) << RasterPngLastError();
  ASSERT_EQ(b->Width(), w);
  ASSERT_EQ(b->Height(), h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      ASSERT_EQ(b->PixelData()[y * b->RowSpan() + x], expected(x, y)) << std::hex << x << "," << y;
    }
  }
}

int V(int x, int y, int salt) { return (x * 37 + y * 91 + salt * 53) & 0xFF; }

TEST(RasterPng, DecodesEveryColourTypeToStraightArgb) {
  const int w = 7, h = 5;
  for (bool interlaced : {false, true}) {
    std::vector<std::vector<png_byte>> rgb(h), rgba(h), grey(h), greyAlpha(h), rgb16(h), ga16(h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        for (int c = 0; c < 3; ++c) rgb[y].push_back(static_cast<png_byte>(V(x, y, c)));
        for (int c = 0; c < 4; ++c) rgba[y].push_back(static_cast<png_byte>(V(x, y, c)));
        grey[y].push_back(static_cast<png_byte>(V(x, y, 0)));
        greyAlpha[y].push_back(static_cast<png_byte>(V(x, y, 0)));
        greyAlpha[y].push_back(static_cast<png_byte>(V(x, y, 3)));
        for (int c = 0; c < 3; ++c) {
          // 16-bit samples: the high byte is what survives.
          rgb16[y].push_back(static_cast<png_byte>(V(x, y, c)));
          rgb16[y].push_back(static_cast<png_byte>(0xFF - V(x, y, c)));
        }
        for (int c : {0, 3}) {
          ga16[y].push_back(static_cast<png_byte>(V(x, y, c)));
          ga16[y].push_back(0x80);
        }
      }
    }
    SCOPED_TRACE(interlaced ? "interlaced" : "progressive");
    auto b = Decode(Encode({w, h, PNG_COLOR_TYPE_RGB, 8, interlaced, {}, {}}, rgb));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(255, V(x, y, 0), V(x, y, 1), V(x, y, 2)); });
    b = Decode(Encode({w, h, PNG_COLOR_TYPE_RGBA, 8, interlaced, {}, {}}, rgba));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(V(x, y, 3), V(x, y, 0), V(x, y, 1), V(x, y, 2)); });
    b = Decode(Encode({w, h, PNG_COLOR_TYPE_GRAY, 8, interlaced, {}, {}}, grey));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(255, V(x, y, 0), V(x, y, 0), V(x, y, 0)); });
    b = Decode(Encode({w, h, PNG_COLOR_TYPE_GRAY_ALPHA, 8, interlaced, {}, {}}, greyAlpha));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(V(x, y, 3), V(x, y, 0), V(x, y, 0), V(x, y, 0)); });
    b = Decode(Encode({w, h, PNG_COLOR_TYPE_RGB, 16, interlaced, {}, {}}, rgb16));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(255, V(x, y, 0), V(x, y, 1), V(x, y, 2)); });
    b = Decode(Encode({w, h, PNG_COLOR_TYPE_GRAY_ALPHA, 16, interlaced, {}, {}}, ga16));
    ExpectPixels(b.get(), w, h, [](int x, int y) { return Argb(V(x, y, 3), V(x, y, 0), V(x, y, 0), V(x, y, 0)); });
  }
}

TEST(RasterPng, PalettesLowDepthsAndTransparencyKeys) {
  // 4-bit palette, entries 0 and 2 transparent through tRNS.
  PngSpec pal{5, 3, PNG_COLOR_TYPE_PALETTE, 4, false, {}, {0, 255, 0, 100}};
  for (int i = 0; i < 16; ++i)
    pal.palette.push_back(png_color{static_cast<png_byte>(i * 16), static_cast<png_byte>(i), 7});
  std::vector<std::vector<png_byte>> idx(3);
  for (int y = 0; y < 3; ++y) {
    // Two 4-bit indices per byte: index = (x + y) % 16.
    for (int x = 0; x < 5; x += 2) {
      const int a = (x + y) % 16, b = (x + 1 + y) % 16;
      idx[y].push_back(static_cast<png_byte>((a << 4) | b));
    }
  }
  auto b = Decode(Encode(pal, idx));
  ExpectPixels(b.get(), 5, 3, [](int x, int y) {
    const int i = (x + y) % 16;
    const int alpha = i == 0 || i == 2 ? 0 : i == 3 ? 100 : 255;
    return Argb(alpha, i * 16, i, 7);
  });

  // 1-bit grey with a transparency key on black.
  PngSpec bits{9, 2, PNG_COLOR_TYPE_GRAY, 1, true, {}, {}};
  bits.greyKey = true;
  std::vector<std::vector<png_byte>> on(2, std::vector<png_byte>{0xA5, 0x80});
  b = Decode(Encode(bits, on));
  ExpectPixels(b.get(), 9, 2, [](int x, int) {
    const bool set = ((x < 8 ? 0xA5 : 0x80) >> (7 - (x & 7)) & 1) != 0;
    return set ? Argb(255, 255, 255, 255) : Argb(0, 0, 0, 0);
  });
}

TEST(RasterPng, DecodesIntoAGivenBitmapAndRowsStartAligned) {
  std::vector<std::vector<png_byte>> rows(3, std::vector<png_byte>(5 * 4, 0x40));
  const auto file = Encode({5, 3, PNG_COLOR_TYPE_RGBA, 8, false, {}, {}}, rows);
  RasterMemBitmap target(40, 40, 4);
  EXPECT_EQ(RasterLoadPngMemory(file.data(), file.size(), &target), &target);
  EXPECT_EQ(target.Width(), 5);
  EXPECT_EQ(target.Height(), 3);
  EXPECT_EQ(target.RowSpan(), 8);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(target.PixelData()) % 64, 0u);
  EXPECT_EQ(target.PixelData()[2 * 8 + 4], 0x40404040u);
}

// A PNG of the given header fields with valid CRCs, followed by the given IDAT payload.
std::vector<unsigned char> Handmade(png_uint_32 w, png_uint_32 h, const std::vector<unsigned char>& idat) {
  std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&out](const char* type, const std::vector<unsigned char>& data) {
    const png_uint_32 n = static_cast<png_uint_32>(data.size());
    unsigned char len[4] = {static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                            static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)};
    out.insert(out.end(), len, len + 4);
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    const uLong crc = crc32(0, body.data(), static_cast<uInt>(body.size()));
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<unsigned char>(crc >> s));
  };
  std::vector<unsigned char> ihdr;
  for (png_uint_32 v : {w, h}) {
    for (int s = 24; s >= 0; s -= 8) ihdr.push_back(static_cast<unsigned char>(v >> s));
  }
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  chunk("IHDR", ihdr);
  chunk("IDAT", idat);
  chunk("IEND", {});
  return out;
}

TEST(RasterPng, RefusesBadInputWithoutReadingPastIt) {
  // Absurd dimensions are refused from the header, before any pixel storage exists: a 100000 x
  // 100000 RGBA image would need 40 GB.
  RasterMemBitmap dest(2, 2, 4);
  const auto huge = Handmade(100000, 100000, {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  EXPECT_EQ(RasterLoadPngMemory(huge.data(), huge.size(), nullptr), nullptr);
  EXPECT_EQ(RasterLoadPngMemory(huge.data(), huge.size(), &dest), nullptr);
  EXPECT_EQ(dest.AllocatedBytes(), 2u * 4u * 4u / 4u * 5u) << "the target was never resized";
  EXPECT_STRNE(RasterPngLastError(), "");
  // Within each limit, but too many pixels in total.
  const auto wide = Handmade(8000, 8000, {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  EXPECT_EQ(RasterLoadPngMemory(wide.data(), wide.size(), nullptr), nullptr);
  const auto zero = Handmade(0, 10, {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  EXPECT_EQ(RasterLoadPngMemory(zero.data(), zero.size(), nullptr), nullptr);

  std::vector<std::vector<png_byte>> rows(16, std::vector<png_byte>(16 * 4));
  std::mt19937 rng(99);
  for (auto& r : rows) {
    for (auto& v : r) v = static_cast<png_byte>(rng());
  }
  const auto good = Encode({16, 16, PNG_COLOR_TYPE_RGBA, 8, false, {}, {}}, rows);
  ASSERT_NE(Decode(good), nullptr);
  // Every truncation is refused. Each copy is exactly as long as claimed, so a read past the
  // end would show up under the sanitizers.
  for (std::size_t n = 0; n + 12 < good.size(); ++n) {
    std::vector<unsigned char> cut(good.begin(), good.begin() + static_cast<long>(n));
    EXPECT_EQ(RasterLoadPngMemory(cut.data(), cut.size(), nullptr), nullptr) << n;
  }
  // A flipped bit in the pixel data breaks its checksum.
  std::vector<unsigned char> damaged = good;
  damaged[good.size() - 30] ^= 0x10;
  EXPECT_EQ(Decode(damaged), nullptr);
  EXPECT_EQ(RasterLoadPngMemory(nullptr, 100, nullptr), nullptr);
  const char text[] = "not an image at all";
  EXPECT_EQ(RasterLoadPngMemory(text, sizeof text, nullptr), nullptr);

  // Random damage anywhere never crashes; most of it is refused.
  const unsigned seed = 4242;
  std::mt19937 fuzz(seed);
  for (int round = 0; round < 300; ++round) {
    std::vector<unsigned char> bytes = good;
    const int flips = 1 + static_cast<int>(fuzz() % 4);
    for (int i = 0; i < flips; ++i) bytes[8 + fuzz() % (bytes.size() - 8)] = static_cast<unsigned char>(fuzz());
    std::unique_ptr<RasterBitmap> b(RasterLoadPngMemory(bytes.data(), bytes.size(), nullptr));
    if (b != nullptr) {
      EXPECT_LE(b->Width(), kRasterPngMaxDimension) << "seed " << seed << " round " << round;
    }
  }
}

TEST(RasterPng, FilesAndTheLoaderRegistry) {
  std::vector<std::vector<png_byte>> rows(2, std::vector<png_byte>{1, 2, 3, 4, 5, 6});
  const auto file = Encode({2, 2, PNG_COLOR_TYPE_RGB, 8, false, {}, {}}, rows);
  const std::string path = ::testing::TempDir() + "raster_png_test.PnG";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);

  std::unique_ptr<RasterBitmap> b(RasterLoadPngFile(path.c_str(), nullptr));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->PixelData()[1], Argb(255, 4, 5, 6));
  b.reset(RasterLoadImageFile(path.c_str(), nullptr));
  ASSERT_NE(b, nullptr);
  std::remove(path.c_str());
  EXPECT_EQ(RasterLoadPngFile(path.c_str(), nullptr), nullptr);
  EXPECT_EQ(RasterLoadPngFile(nullptr, nullptr), nullptr);

  const RasterImageLoader& png = RasterPngImageLoader();
  EXPECT_STREQ(png.filterName, "PNG files (*.PNG)");
  EXPECT_STREQ(png.pattern, "*.PNG");
  EXPECT_EQ(RasterFindImageLoader("img/knob.png"), &png);
  EXPECT_EQ(RasterFindImageLoader("C:\\art\\BG.PNG"), &png);
  EXPECT_EQ(RasterFindImageLoader("archive.png.zip"), nullptr);
  EXPECT_EQ(RasterFindImageLoader("folder.png/readme"), nullptr);
  EXPECT_EQ(RasterFindImageLoader("png"), nullptr);
  EXPECT_EQ(RasterFindImageLoader(".png"), &png);
  EXPECT_EQ(RasterFindImageLoader(nullptr), nullptr);
  EXPECT_EQ(RasterImageLoaderAt(0), &png);
  EXPECT_TRUE(RasterRegisterImageLoader(&png));
  EXPECT_EQ(RasterImageLoaderCount(), 1u);
  EXPECT_FALSE(RasterRegisterImageLoader(nullptr));
}

}  // namespace
}  // namespace quivorant
