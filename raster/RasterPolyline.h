// An anti-aliased polyline drawn in one pass: the coverage of every segment is gathered first
// (each pixel keeps the highest coverage any segment gives it), then the colour is laid down
// once. Joints and collinear runs therefore look like one stroke, with no darker beads where
// segments overlap. Clipped to the bitmap; the colour moves each pixel's channels toward it
// (alpha included) by coverage x alpha, like a copy fill.
#pragma once

#include "raster/RasterBitmap.h"

namespace quivorant {

void RasterPolyline(RasterBitmap* dest, const float* xs, const float* ys, int count, float width, RasterPixel colour,
                    float alpha);

}  // namespace quivorant
