// How a text is drawn: face, pixel size, colour, style bits, alignment, angle and quality. Styles
// are copied by value into controls; each copy remembers the cached raster font it found, so
// repeated drawing skips the font cache and its lock.
#pragma once

#include "graphics/ArgbColor.h"

namespace quivorant {

class RasterCachedFont;

enum TextStyleBits : int { kTextBold = 1, kTextItalic = 2 };
enum TextAlignment : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
enum TextQuality : int {
  kQualityDefault = 0,
  kQualityNonAntialiased = 1,
  kQualityAntialiased = 2,
  kQualityClearType = 3
};

struct TextStyle {
  char fontName[32] = "Arial";
  int size = 14;
  ArgbColor color;
  int style = 0;
  int alignment = kAlignLeft;
  int orientation = 0;
  int quality = kQualityDefault;
  RasterCachedFont* cachedFont = nullptr;  // owned by the font cache

  TextStyle() = default;
  TextStyle(const char* face, int pixelSize, ArgbColor colour, int styleBits = 0, int align = kAlignLeft, int angle = 0,
            int textQuality = kQualityDefault);

  // Replaces the face name, cut to the buffer; forgets the cached font since it no longer matches.
  void SetFontName(const char* face);
};

}  // namespace quivorant
