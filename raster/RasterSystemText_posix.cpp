#include "raster/detail/GlyphSource.h"

namespace quivorant {
namespace detail {

// There is no system text renderer to hand strings to; the glyph cache draws everything.
bool SystemDrawText(void*, RasterFontHandle, const std::vector<std::uint32_t>&, int, int, int, int, int,
                    std::uint32_t) {
  return false;
}

}  // namespace detail
}  // namespace quivorant
