#include "raster/RasterFont.h"
#include "raster/detail/GlyphSource.h"
#include "raster/detail/TextDecode.h"

#include <windows.h>

namespace quivorant {
namespace detail {

bool SystemDrawText(void* deviceContext, RasterFontHandle font, const std::vector<std::uint32_t>& text, int left,
                    int top, int right, int bottom, int flags, std::uint32_t colour) {
  HDC dc = static_cast<HDC>(deviceContext);
  if (dc == nullptr || font == nullptr) return false;
  std::vector<std::uint16_t> wide = ToUtf16(text);
  if (wide.empty()) return false;
  HGDIOBJ previousFont = SelectObject(dc, static_cast<HGDIOBJ>(font));
  COLORREF previousColour = ::SetTextColor(dc, RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
  int previousMode = SetBkMode(dc, TRANSPARENT);
  RECT r{left, top, right, bottom};
  const int drawn = ::DrawTextW(dc, reinterpret_cast<LPCWSTR>(wide.data()), static_cast<int>(wide.size()), &r,
                                static_cast<UINT>(flags & ~kRasterTextUseAlpha));
  SetBkMode(dc, previousMode);
  ::SetTextColor(dc, previousColour);
  SelectObject(dc, previousFont);
  // The pixels are read directly afterwards; GDI may still be batching.
  GdiFlush();
  return drawn != 0;
}

}  // namespace detail
}  // namespace quivorant
