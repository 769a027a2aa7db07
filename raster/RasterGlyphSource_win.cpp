// Glyphs rendered by GDI: white on black on one 256 x 256 canvas shared by every font of the
// process (created with the first font, kept until the library unloads), read back as coverage.
#include "raster/RasterSysBitmap.h"
#include "raster/detail/GlyphSource.h"
#include "raster/detail/TextDecode.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace quivorant {
namespace detail {

namespace {

constexpr int kCanvasSize = 256;
// Glyphs may reach left of their pen position (italics, some j's); they are drawn this far in.
constexpr int kPad = 32;

RasterSysBitmap& Canvas() {
  static RasterSysBitmap canvas(kCanvasSize, kCanvasSize);
  return canvas;
}

class GdiGlyphSource : public GlyphSource {
public:
  explicit GdiGlyphSource(HFONT font) : font_(font) {
    HDC dc = Dc();
    if (dc == nullptr) return;
    HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) lineHeight_ = metrics.tmHeight;
    SelectObject(dc, previous);
  }
  ~GdiGlyphSource() override = default;

  int LineHeight() const override { return lineHeight_; }

  bool Render(std::uint32_t code, Glyph* out) override {
    *out = Glyph{};
    HDC dc = Dc();
    RasterPixel* pixels = Canvas().PixelData();
    if (dc == nullptr || pixels == nullptr) return false;
    std::vector<std::uint16_t> units = ToUtf16(std::vector<std::uint32_t>{code});
    const auto* wide = reinterpret_cast<LPCWSTR>(units.data());
    const int n = static_cast<int>(units.size());

    HGDIOBJ previous = SelectObject(dc, font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide, n, &extent);
    out->advance = static_cast<int>(extent.cx);
    const int span = Canvas().RowSpan();
    const int rows = std::min(kCanvasSize, std::max(0, lineHeight_));
    const int columns = std::min(kCanvasSize, kPad + out->advance + kPad);
    GdiFlush();
    for (int y = 0; y < rows; ++y) std::memset(pixels + y * span, 0, sizeof(RasterPixel) * columns);
    ::SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutW(dc, kPad, 0, wide, n);
    GdiFlush();
    SelectObject(dc, previous);

    // Trim to the covered box so that blending skips empty space.
    int x0 = columns, x1 = -1, y0 = rows, y1 = -1;
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < columns; ++x) {
        if ((pixels[y * span + x] & 0x00FFFFFFu) == 0) continue;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
    }
    if (x1 < x0) return true;
    out->left = x0 - kPad;
    out->top = y0;
    out->width = x1 - x0 + 1;
    out->height = y1 - y0 + 1;
    out->coverage.resize(static_cast<std::size_t>(out->width) * out->height);
    for (int y = 0; y < out->height; ++y) {
      for (int x = 0; x < out->width; ++x) {
        const RasterPixel p = pixels[(y0 + y) * span + x0 + x];
        // Sub-pixel (ClearType) rendering gives unequal channels; their weighted mean is the
        // coverage.
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        out->coverage[static_cast<std::size_t>(y) * out->width + x] = static_cast<std::uint8_t>((r + 2 * g + b) / 4);
      }
    }
    return true;
  }

private:
  static HDC Dc() { return static_cast<HDC>(Canvas().DeviceContext()); }

  HFONT font_;
  int lineHeight_ = 0;
};

}  // namespace

std::unique_ptr<GlyphSource> GlyphSource::Create(RasterFontHandle handle) {
  if (handle == nullptr || Canvas().DeviceContext() == nullptr) return nullptr;
  auto source = std::make_unique<GdiGlyphSource>(static_cast<HFONT>(handle));
  if (source->LineHeight() <= 0) return nullptr;
  return source;
}

}  // namespace detail
}  // namespace quivorant
