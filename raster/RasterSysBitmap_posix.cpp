// Without a window system the draw bitmap is plain memory; the "context" is the bitmap itself.
#include "raster/RasterSysBitmap.h"

#include <cstdlib>

namespace quivorant {

void RasterSysBitmap::CreateContext() { dc_ = nullptr; }
void RasterSysBitmap::DestroyContext() {}
bool RasterSysBitmap::HasContext() const { return true; }

bool RasterSysBitmap::CreateStorage() {
  const long long bytes = static_cast<long long>(allocWidth_) * allocHeight_ * 4;
  if (bytes <= 0 || bytes > static_cast<long long>(PTRDIFF_MAX / 2)) return false;
  section_ = std::malloc(static_cast<std::size_t>(bytes));
  pixels_ = static_cast<RasterPixel*>(section_);
  return section_ != nullptr;
}

void RasterSysBitmap::ReleaseStorage() {
  std::free(section_);
  section_ = nullptr;
  pixels_ = nullptr;
}

}  // namespace quivorant
