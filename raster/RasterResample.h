// Resizing a bitmap once, for drawing at a size its art was not made for: every destination
// pixel is the area-weighted mean of the source pixels it covers (a box filter), with colours
// weighted by alpha so that transparent pixels lend no colour to the edges they border.
// Shrinking by any factor keeps every source pixel's share; growing falls back to the nearest
// covering pixels, which is what an art set without a larger version can offer.
#pragma once

#include <memory>

#include "raster/RasterMemBitmap.h"

namespace quivorant {

// The source rectangle (srcX, srcY, srcW, srcH) of src, clipped to src, resized to
// destW x destH. Null when there is nothing to read or the sizes are not positive.
std::unique_ptr<RasterMemBitmap> RasterResampleArea(RasterBitmap* src, int srcX, int srcY, int srcW, int srcH,
                                                    int destW, int destH);

}  // namespace quivorant
