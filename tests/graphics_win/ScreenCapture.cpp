#include "tests/graphics_win/ScreenCapture.h"

#include <png.h>

#include <cstdlib>

namespace quivorant::test {

Capture CaptureClient(HWND window) {
  Capture capture;
  RECT r;
  if (!GetClientRect(window, &r) || r.right <= 0 || r.bottom <= 0) return capture;
  const int w = r.right;
  const int h = r.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section && bits) {
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    capture.width = w;
    capture.height = h;
    capture.pixels.assign(p, p + std::size_t(w) * std::size_t(h));
    SelectObject(memory, previous);
  }
  if (section) DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return capture;
}

bool SavePng(const Capture& capture, const std::string& path) {
  if (capture.width <= 0 || capture.height <= 0) return false;
  std::vector<std::uint32_t> opaque(capture.pixels);
  for (std::uint32_t& p : opaque) p |= 0xFF000000u;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(capture.width);
  image.height = png_uint_32(capture.height);
  image.format = PNG_FORMAT_BGRA;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr);
  png_image_free(&image);
  return ok != 0;
}

Capture LoadPng(const std::string& path) {
  Capture capture;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return capture;
  image.format = PNG_FORMAT_BGRA;  // little-endian words of 0xAARRGGBB, as captures hold them
  std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    capture.width = int(image.width);
    capture.height = int(image.height);
    capture.pixels = std::move(pixels);
  }
  png_image_free(&image);
  return capture;
}

bool NearColour(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  }
  return true;
}

}  // namespace quivorant::test
