#include "graphics/FontCache.h"

#include <cstring>

#include "graphics/TextStyle.h"
#include "raster/RasterCachedFont.h"
#include "raster/RasterFontHandle.h"

namespace quivorant {

namespace {

int SystemQuality(int quality) {
  switch (quality) {
    case kQualityNonAntialiased:
      return kRasterFontNonAntialiased;
    case kQualityAntialiased:
      return kRasterFontAntialiased;
    case kQualityClearType:
      return kRasterFontClearType;
    default:
      return kRasterFontDefaultQuality;
  }
}

}  // namespace

FontCache& FontCache::Instance() {
  static FontCache cache;
  return cache;
}

FontCache::~FontCache() = default;

RasterCachedFont* FontCache::FindLocked(const TextStyle& style) const {
  for (const Entry& e : entries_) {
    if (e.size == style.size && e.orientation == style.orientation && e.style == style.style &&
        std::strncmp(e.fontName, style.fontName, sizeof e.fontName) == 0) {
      return e.font.get();
    }
  }
  return nullptr;
}

RasterCachedFont* FontCache::FontFor(const TextStyle& style) {
  {
    InstanceLock::Scope hold(lock_);
    if (RasterCachedFont* hit = FindLocked(style)) return hit;
  }
  RasterFontRequest request{};
  request.faceName = style.fontName;
  request.height = style.size;
  request.escapement = style.orientation * 10;
  request.orientation = style.orientation * 10;
  request.weight = (style.style & kTextBold) ? 700 : 400;
  request.italic = (style.style & kTextItalic) != 0;
  request.quality = SystemQuality(style.quality);
  RasterFontHandle handle = RasterCreateFontHandle(request);
  if (!handle) return nullptr;
  auto font = std::make_unique<RasterCachedFont>();
  font->SetFromFontHandle(handle, kRasterFontOwnsHandle | kRasterFontSystemRenderer);

  Entry entry{style.size, style.orientation, style.style, {}, std::move(font)};
  std::memcpy(entry.fontName, style.fontName, sizeof entry.fontName);
  entry.fontName[sizeof entry.fontName - 1] = '\0';
  InstanceLock::Scope hold(lock_);
  entries_.push_back(std::move(entry));
  return FindLocked(style);
}

}  // namespace quivorant
