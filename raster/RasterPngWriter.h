// Saves a bitmap as an 8-bit RGBA PNG file: tools and tests keep what the off-screen editor
// presented. Straight alpha, as the pixels hold it.
#pragma once

namespace quivorant {

class RasterBitmap;

// False when the bitmap has no pixels or the file cannot be written.
bool SaveBitmapPng(RasterBitmap* bitmap, const char* path);

}  // namespace quivorant
