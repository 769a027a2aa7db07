// Where a cached font's glyphs come from: GDI on the shared glyph canvas on Windows, FreeType
// with the face fontconfig matches elsewhere. A glyph is kept as 8-bit coverage placed relative
// to the pen position on the top line of the text.
#pragma once

#include "raster/RasterFontHandle.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace quivorant {
namespace detail {

struct Glyph {
  int advance = 0;  // pen movement in pixels
  int left = 0;     // coverage origin relative to the pen
  int top = 0;      // ... and to the top of the line
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height, 0 none .. 255 full
};

class GlyphSource {
public:
  // None when the handle names no usable font.
  static std::unique_ptr<GlyphSource> Create(RasterFontHandle handle);
  virtual ~GlyphSource() = default;
  virtual int LineHeight() const = 0;
  // False when the font cannot draw the code; out then holds at least an advance.
  virtual bool Render(std::uint32_t code, Glyph* out) = 0;
};

}  // namespace detail

struct RasterGlyphCache {
  std::unique_ptr<detail::GlyphSource> source;
  std::unordered_map<std::uint32_t, detail::Glyph> glyphs;
};

namespace detail {

// The system's own text renderer (Windows only; elsewhere it always declines). Draws into the
// device context of dest; false when it did not draw.
bool SystemDrawText(void* deviceContext, RasterFontHandle font, const std::vector<std::uint32_t>& text, int left,
                    int top, int right, int bottom, int flags, std::uint32_t colour);

}  // namespace detail
}  // namespace quivorant
