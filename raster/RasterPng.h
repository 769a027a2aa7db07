// PNG decoding into bitmaps. Every colour type and bit depth becomes 32-bit straight-alpha
// pixels (images without alpha are opaque). The result is dest resized to the image, or a new
// RasterMemBitmap (row alignment 4) owned by the caller; none on any failure (a new bitmap is
// then deleted, a given dest may have been resized). Damaged, truncated or oversized images are
// refused without reading past the data or reserving more than the image needs.
#pragma once

#include "raster/RasterBitmap.h"

#include <cstddef>

namespace quivorant {

// Images larger than this in either direction, or with more pixels in total, are refused.
constexpr int kRasterPngMaxDimension = 8192;
constexpr long long kRasterPngMaxPixels = 16LL * 1024 * 1024;

RasterBitmap* RasterLoadPngMemory(const void* data, std::size_t size, RasterBitmap* dest);
// Resource type "PNG" with identifier id & 0xFFFF in module (none: this module).
RasterBitmap* RasterLoadPngResource(void* module, int id, RasterBitmap* dest);
RasterBitmap* RasterLoadPngFile(const char* path, RasterBitmap* dest);

// Why the last decode on this thread failed ("" after a success); for tests and diagnostics.
const char* RasterPngLastError();

}  // namespace quivorant
