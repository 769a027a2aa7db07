// The process-wide cache of raster fonts: one system font and one glyph cache per distinct
// (size, orientation, style, face) in the process, kept until the library unloads. One lock
// guards lookups and insertions; fonts are created outside it.
#pragma once

#include <memory>
#include <vector>

#include "platform/InstanceLock.h"

namespace quivorant {

class RasterCachedFont;
struct TextStyle;

class FontCache {
public:
  static FontCache& Instance();

  // The cached font for the style, created on first use; null when the system cannot make it.
  RasterCachedFont* FontFor(const TextStyle& style);

private:
  FontCache() = default;
  ~FontCache();

  struct Entry {
    int size;
    int orientation;
    int style;
    char fontName[32];
    std::unique_ptr<RasterCachedFont> font;
  };

  RasterCachedFont* FindLocked(const TextStyle& style) const;

  InstanceLock lock_;
  std::vector<Entry> entries_;
};

}  // namespace quivorant
