#include "graphics/BlendSpec.h"

#include "raster/RasterBlendMode.h"

namespace quivorant {

int BlendRasterMode(const BlendSpec* blend) {
  switch (blend ? blend->method : kBlendAlpha) {
    case kBlendCopy:
      return kRasterCopy;
    case kBlendAdd:
      return kRasterAdd | kRasterUseSourceAlpha;
    case kBlendDodge:
      return kRasterDodge | kRasterUseSourceAlpha;
    default:
      return kRasterCopy | kRasterUseSourceAlpha;
  }
}

float BlendWeight(const BlendSpec* blend) { return blend ? blend->weight : 1.0f; }

}  // namespace quivorant
