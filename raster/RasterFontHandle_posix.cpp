// Without GDI a font handle is just the request, kept until the font resolves it.
#include "raster/RasterFontHandle.h"

#include "raster/detail/FontDescription.h"

#include <cstdio>
#include <new>

namespace quivorant {

RasterFontHandle RasterCreateFontHandle(const RasterFontRequest& request) {
  if (request.faceName == nullptr || request.faceName[0] == '\0') return nullptr;
  auto* d = new (std::nothrow) detail::FontDescription;
  if (d == nullptr) return nullptr;
  std::snprintf(d->faceName, sizeof d->faceName, "%s", request.faceName);
  d->height = request.height;
  d->weight = request.weight;
  d->italic = request.italic;
  d->quality = request.quality;
  return d;
}

void RasterDeleteFontHandle(RasterFontHandle handle) { delete static_cast<detail::FontDescription*>(handle); }

}  // namespace quivorant
