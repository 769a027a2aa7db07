// Lines, arcs and filled sectors. They use the fill's per-pixel rules: only the operation byte of
// mode counts (the source-alpha bit plays no part), so callers pass the colour's opacity in alpha.
// Angles are radians from the upward direction, clockwise (0 up, pi/2 right, pi down).
// Both end points of a line are drawn; everything clips to the bitmap.
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"

namespace quivorant {

void RasterLine(RasterBitmap* dest, int x1, int y1, int x2, int y2, RasterPixel colour, float alpha, int mode,
                bool antialias);
void RasterLineF(RasterBitmap* dest, float x1, float y1, float x2, float y2, RasterPixel colour, float alpha, int mode,
                 bool antialias);
void RasterArc(RasterBitmap* dest, float centreX, float centreY, float radius, float fromAngle, float toAngle,
               RasterPixel colour, float alpha, int mode, bool antialias);
void RasterFillSector(RasterBitmap* dest, float centreX, float centreY, float radius, float fromAngle, float toAngle,
                      RasterPixel colour, float alpha, int mode, bool antialias);

}  // namespace quivorant
