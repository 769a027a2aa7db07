// Saves a raster bitmap as an 8-bit RGBA PNG, through a temporary file renamed into place.
#pragma once

#include <string>

#include "raster/RasterBitmap.h"

namespace quivorant::render {

bool WriteBitmapPng(RasterBitmap& bitmap, const std::string& path, std::string* error);

}  // namespace quivorant::render
