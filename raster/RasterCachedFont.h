// A font that renders each glyph once into a coverage cache and blends it onto bitmaps in the
// text colour. On Windows it may instead hand whole strings to GDI (the "system renderer") when
// the font allows it, the destination has a device context, no alpha is needed and we are not
// under Wine; elsewhere glyphs come from FreeType, using the face fontconfig matches for the
// font's name (Liberation Sans for Arial on Debian).
// Used by the editor's thread only; the glyph canvas it renders on is shared process-wide.
#pragma once

#include "raster/RasterFont.h"

#include <cstdint>
#include <memory>

namespace quivorant {

struct RasterGlyphCache;

class RasterCachedFont : public RasterFont {
public:
  RasterCachedFont();
  ~RasterCachedFont() override;
  RasterCachedFont(const RasterCachedFont&) = delete;
  RasterCachedFont& operator=(const RasterCachedFont&) = delete;

  void SetFromFontHandle(RasterFontHandle handle, int flags) override;
  RasterPixel SetTextColor(RasterPixel colour) override;
  std::uint32_t SetBackgroundColor(std::uint32_t value) override;
  std::uint32_t SetOutlineColor(std::uint32_t value) override;
  std::uint32_t SetOutlineWidth(std::uint32_t value) override;
  void SetDrawMode(int mode, float alpha) override;
  int DrawText(RasterBitmap* dest, const char* text, int count, const RasterRect& rect, int flags) override;
  RasterPixel TextColor() const override { return textColor_; }
  RasterFontHandle FontHandle() const override { return handle_; }
  int LineHeight() const override { return lineHeight_; }
  int DrawTextAt(RasterBitmap* dest, const char* text, int count, int x, int y, int flags) override;

  // Width in pixels of one line of text as the glyph cache lays it out.
  int MeasureText(const char* text, int count);

private:
  bool UsesSystemRenderer(RasterBitmap* dest, int flags) const;

  RasterFontHandle handle_ = nullptr;
  int flags_ = 0;
  RasterPixel textColor_ = 0;
  std::uint32_t backgroundColor_ = 0xFFFFFFFFu;
  std::uint32_t outlineColor_ = 0xFFFFFFFFu;
  std::uint32_t outlineWidth_ = 1;
  int drawMode_ = 0;
  float drawAlpha_ = 1.0f;
  int lineHeight_ = 0;
  std::unique_ptr<RasterGlyphCache> glyphs_;
};

}  // namespace quivorant
