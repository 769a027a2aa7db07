#include "raster/RasterSysBitmap.h"

#include <windows.h>

namespace quivorant {

void RasterSysBitmap::CreateContext() { dc_ = CreateCompatibleDC(nullptr); }

void RasterSysBitmap::DestroyContext() {
  if (dc_ != nullptr) DeleteDC(static_cast<HDC>(dc_));
  dc_ = nullptr;
}

bool RasterSysBitmap::HasContext() const { return dc_ != nullptr; }

bool RasterSysBitmap::CreateStorage() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = allocWidth_;
  // A negative height asks for top-down rows.
  info.bmiHeader.biHeight = IsBottomUp() ? allocHeight_ : -allocHeight_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(static_cast<HDC>(dc_), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) {
    if (section != nullptr) DeleteObject(section);
    return false;
  }
  HGDIOBJ previous = SelectObject(static_cast<HDC>(dc_), section);
  // Only the first selection displaces the context's own stock bitmap; keep that one.
  if (previousObject_ == nullptr) previousObject_ = previous;
  section_ = section;
  pixels_ = static_cast<RasterPixel*>(bits);
  return true;
}

void RasterSysBitmap::ReleaseStorage() {
  if (section_ == nullptr) return;
  if (previousObject_ != nullptr) {
    SelectObject(static_cast<HDC>(dc_), static_cast<HGDIOBJ>(previousObject_));
    previousObject_ = nullptr;
  }
  DeleteObject(static_cast<HGDIOBJ>(section_));
  section_ = nullptr;
  pixels_ = nullptr;
}

}  // namespace quivorant
