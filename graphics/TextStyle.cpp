#include "graphics/TextStyle.h"

#include <cstring>

namespace quivorant {

TextStyle::TextStyle(const char* face, int pixelSize, ArgbColor colour, int styleBits, int align, int angle,
                     int textQuality)
    : size(pixelSize), color(colour), style(styleBits), alignment(align), orientation(angle), quality(textQuality) {
  SetFontName(face);
}

void TextStyle::SetFontName(const char* face) {
  std::memset(fontName, 0, sizeof fontName);
  if (face) std::strncpy(fontName, face, sizeof fontName - 1);
  cachedFont = nullptr;
}

}  // namespace quivorant
