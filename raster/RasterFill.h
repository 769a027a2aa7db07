// Filling rectangles with a colour. With kRasterUseSourceAlpha in mode the colour's own alpha
// scales the opacity; 25/50/75/100 % copies take shift-and-mask shortcuts.
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"

namespace quivorant {

void RasterFillRect(RasterBitmap* dest, int x, int y, int w, int h, RasterPixel colour, float alpha, int mode);

}  // namespace quivorant
