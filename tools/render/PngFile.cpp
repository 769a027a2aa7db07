#include "tools/render/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "tools/render/AudioFile.h"

namespace quivorant::render {

namespace {

// libpng reports errors by longjmp, so this part keeps no C++ objects on its stack.
bool WriteRgbaRows(std::FILE* file, int width, int height, const png_byte* rgba) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, rgba + static_cast<size_t>(y) * static_cast<size_t>(width) * 4);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool WritePng(RasterBitmap& bitmap, const std::string& path) {
  const int width = bitmap.Width(), height = bitmap.Height();
  std::vector<png_byte> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  const RasterPixel* pixels = bitmap.PixelData();
  for (int y = 0; y < height; ++y) {
    const RasterPixel* p = pixels + static_cast<ptrdiff_t>(y) * bitmap.RowSpan();
    png_byte* out = rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
    for (int x = 0; x < width; ++x) {
      out[x * 4 + 0] = static_cast<png_byte>(p[x] >> 16);
      out[x * 4 + 1] = static_cast<png_byte>(p[x] >> 8);
      out[x * 4 + 2] = static_cast<png_byte>(p[x]);
      out[x * 4 + 3] = static_cast<png_byte>(p[x] >> 24);
    }
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = WriteRgbaRows(file, width, height, rgba.data());
  return std::fclose(file) == 0 && written;
}

}  // namespace

bool WriteBitmapPng(RasterBitmap& bitmap, const std::string& path, std::string* error) {
  if (!bitmap.PixelData() || bitmap.Width() <= 0 || bitmap.Height() <= 0) {
    *error = "nothing to write to \"" + path + "\"";
    return false;
  }
  return WriteAtomically(path, error, [&](const std::string& tempPath, std::string* err) {
    if (WritePng(bitmap, tempPath)) return true;
    *err = "cannot write \"" + path + "\"";
    return false;
  });
}

}  // namespace quivorant::render
