#include "raster/RasterPngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "raster/RasterBitmap.h"

namespace quivorant {

namespace {

// Everything libpng needs to survive a longjmp lives outside the function that calls setjmp.
struct PngFile {
  std::FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngFile() {
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    if (file) std::fclose(file);
  }
};

bool WriteRows(PngFile& out, const std::vector<png_bytep>& rows, int width, int height) {
  if (setjmp(png_jmpbuf(out.png))) return false;
  png_init_io(out.png, out.file);
  png_set_IHDR(out.png, out.info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(out.png, out.info);
  png_write_image(out.png, const_cast<png_bytepp>(rows.data()));
  png_write_end(out.png, nullptr);
  return true;
}

}  // namespace

bool SaveBitmapPng(RasterBitmap* bitmap, const char* path) {
  if (!bitmap || !path || !bitmap->PixelData() || bitmap->Width() <= 0 || bitmap->Height() <= 0) return false;
  const int w = bitmap->Width();
  const int h = bitmap->Height();
  std::vector<unsigned char> bytes(size_t(w) * size_t(h) * 4);
  std::vector<png_bytep> rows(static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    const RasterPixel* src = bitmap->PixelData() + size_t(y) * size_t(bitmap->RowSpan());
    unsigned char* dst = bytes.data() + size_t(y) * size_t(w) * 4;
    rows[size_t(y)] = dst;
    for (int x = 0; x < w; ++x) {
      const RasterPixel p = src[x];
      dst[4 * x + 0] = (p >> 16) & 0xFF;
      dst[4 * x + 1] = (p >> 8) & 0xFF;
      dst[4 * x + 2] = p & 0xFF;
      dst[4 * x + 3] = (p >> 24) & 0xFF;
    }
  }
  PngFile out;
  out.file = std::fopen(path, "wb");
  if (!out.file) return false;
  out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!out.png) return false;
  out.info = png_create_info_struct(out.png);
  if (!out.info) return false;
  return WriteRows(out, rows, w, h);
}

}  // namespace quivorant
