// Copying and compositing one bitmap onto another. Every operation clips to both bitmaps for any
// coordinates and does nothing when a bitmap is none or has no pixels. alpha is the blend's
// opacity (1.0 full); modes are in raster/RasterBlendMode.h.
#pragma once

#include "raster/RasterBitmap.h"
#include "raster/RasterBlendMode.h"

namespace quivorant {

// Composites the source rectangle (srcX, srcY, srcW, srcH) of src at (dstX, dstY) of dest.
void RasterBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int srcX, int srcY, int srcW, int srcH,
                float alpha, int mode);

// Draws the source rectangle (srcX, srcY, srcW, srcH) scaled into the destination rectangle
// (dstX, dstY, dstW, dstH), rotated by angle radians (clockwise on screen) about the centre of
// the destination rectangle moved by the centre offsets. A negative dstW or dstH mirrors that
// axis. With clipToSource only the source rectangle is sampled, otherwise the whole source
// bitmap; samples beyond it are transparent. kRasterBilinear in mode filters bilinearly.
void RasterRotatedBlit(RasterBitmap* dest, RasterBitmap* src, int dstX, int dstY, int dstW, int dstH, float srcX,
                       float srcY, float srcW, float srcH, float angle, bool clipToSource, float alpha, int mode,
                       float centreOffsetX, float centreOffsetY);

}  // namespace quivorant
