#include "tests/graphics_win/ScreenCapture.h"

#include <png.h>

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

}  // namespace quivorant::test
