#include "raster/RasterSysBitmap.h"

#include <climits>

namespace quivorant {

RasterSysBitmap::RasterSysBitmap(int width, int height) {
  CreateContext();
  SetSize(width, height);
}

RasterSysBitmap::~RasterSysBitmap() {
  ReleaseStorage();
  DestroyContext();
}

bool RasterSysBitmap::SetSize(int width, int height) {
  if (!HasContext()) {
    width_ = height_ = 0;
    pixels_ = nullptr;
    return false;
  }
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  // Shrinking (or growing within what is there) keeps the storage.
  if (width > 0 && height > 0 && width <= allocWidth_ && height <= allocHeight_ && pixels_ != nullptr) {
    return true;
  }
  // Rows are a multiple of 4 pixels; widths near INT_MAX cannot be rounded and get no storage.
  const long long rounded = (static_cast<long long>(width) + 3) & ~3LL;
  allocWidth_ = rounded > INT_MAX ? 0 : static_cast<int>(rounded);
  allocHeight_ = height;
  ReleaseStorage();
  if (allocWidth_ < 1 || allocHeight_ < 1) {
    allocWidth_ = allocHeight_ = 0;
    width_ = height_ = 0;
    return false;
  }
  if (!CreateStorage()) {
    width_ = height_ = 0;
    allocWidth_ = allocHeight_ = 0;
    pixels_ = nullptr;
  }
  return true;
}

}  // namespace quivorant
