// Abstract face of a font that draws text into raster bitmaps.
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterFontHandle.h"
#include "raster/RasterRect.h"

#include <cstdint>

// <windows.h> maps DrawText to DrawTextA; that would rename the operation below in some files
// and not in others. Windows code calls DrawTextA / DrawTextW by their own names instead.
#ifdef DrawText
#undef DrawText
#endif

namespace quivorant {

// DrawText flags (the values of the Windows DT_ constants where they exist).
constexpr int kRasterTextCenter = 0x1;           // DT_CENTER
constexpr int kRasterTextRight = 0x2;            // DT_RIGHT
constexpr int kRasterTextVCenter = 0x4;          // DT_VCENTER
constexpr int kRasterTextBottom = 0x8;           // DT_BOTTOM
constexpr int kRasterTextNoClip = 0x100;         // DT_NOCLIP
constexpr int kRasterTextUseAlpha = 0x40000000;  // blend with the text colour's alpha

// SetFromFontHandle flags.
constexpr int kRasterFontPrerender = 0x4;         // render codes 0..127 at once
constexpr int kRasterFontOwnsHandle = 0x200;      // the font deletes its handle
constexpr int kRasterFontSystemRenderer = 0x400;  // may draw with the system's text renderer
constexpr int kRasterFontGlyphOnlyMask = 0x1F3;   // effects only the glyph cache can draw

class RasterFont {
public:
  virtual ~RasterFont() = default;
  virtual void SetFromFontHandle(RasterFontHandle handle, int flags) = 0;
  // Returns the previous colour.
  virtual RasterPixel SetTextColor(RasterPixel colour) = 0;
  // Three further settings kept for drawing extensions; each returns the previous value.
  virtual std::uint32_t SetBackgroundColor(std::uint32_t value) = 0;
  virtual std::uint32_t SetOutlineColor(std::uint32_t value) = 0;
  virtual std::uint32_t SetOutlineWidth(std::uint32_t value) = 0;
  // Blit operation (raster/RasterBlendMode.h operation byte) and opacity for glyph drawing.
  virtual void SetDrawMode(int mode, float alpha) = 0;
  // Draws count bytes of text (-1: up to the terminator) inside rect. Returns the height of the
  // text block in pixels, 0 when nothing was laid out.
  virtual int DrawText(RasterBitmap* dest, const char* text, int count, const RasterRect& rect, int flags) = 0;
  virtual RasterPixel TextColor() const = 0;
  virtual RasterFontHandle FontHandle() const = 0;
  virtual int LineHeight() const = 0;
  // Draws one line of text with its top-left corner at (x, y); returns its width in pixels.
  virtual int DrawTextAt(RasterBitmap* dest, const char* text, int count, int x, int y, int flags) = 0;
};

}  // namespace quivorant
