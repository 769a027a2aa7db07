#include "raster/RasterMemBitmap.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace quivorant {

namespace {
constexpr std::size_t kAlignSlack = 63;

int MaskForAlignment(int rowAlignment) {
  if (rowAlignment < 2) return 0;
  int lowest = rowAlignment & -rowAlignment;
  if (lowest > 16 || lowest <= 0) lowest = 16;
  return lowest - 1;
}

// Row span for a width, or -1 when it does not fit an int.
long long SpanFor(long long width, int mask) {
  long long span = (width + mask) & ~static_cast<long long>(mask);
  return span > INT_MAX ? -1 : span;
}
}  // namespace

RasterMemBitmap::RasterMemBitmap(int width, int height, int rowAlignment) : alignMask_(MaskForAlignment(rowAlignment)) {
  SetSize(width, height);
}

RasterMemBitmap::~RasterMemBitmap() { FreeStorage(); }

void RasterMemBitmap::FreeStorage() {
  std::free(storage_);
  storage_ = nullptr;
  allocated_ = 0;
}

RasterPixel* RasterMemBitmap::PixelData() {
  if (storage_ == nullptr) return nullptr;
  auto address = reinterpret_cast<std::uintptr_t>(storage_);
  address = (address + kAlignSlack) & ~static_cast<std::uintptr_t>(kAlignSlack);
  return reinterpret_cast<RasterPixel*>(address);
}

int RasterMemBitmap::RowSpan() const {
  long long span = SpanFor(width_, alignMask_);
  return span < 0 ? 0 : static_cast<int>(span);
}

bool RasterMemBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  const long long span = width > 0 ? SpanFor(width, alignMask_) : 0;
  // Sizes that cannot be addressed count as storage that could not be had.
  const long long limit = static_cast<long long>(PTRDIFF_MAX / 4) - 256;
  const bool addressable = span >= 0 && (height <= 0 || span <= limit / 4 / height);
  const std::size_t needed = (addressable && width > 0 && height > 0) ? static_cast<std::size_t>(span) * height * 4 : 0;

  bool ok = true;
  if (needed == 0) {
    FreeStorage();
    ok = addressable;
  } else if (storage_ == nullptr || allocated_ < needed) {
    FreeStorage();
    // A quarter to spare, so that a bitmap resized by small steps reallocates rarely.
    const std::size_t roomy = needed / 4 * 5;
    storage_ = static_cast<unsigned char*>(std::malloc(roomy + kAlignSlack));
    allocated_ = roomy;
    if (storage_ == nullptr) {
      storage_ = static_cast<unsigned char*>(std::malloc(needed + kAlignSlack));
      allocated_ = needed;
    }
    if (storage_ == nullptr) {
      allocated_ = 0;
      ok = false;
    }
  }
  if (storage_ == nullptr) {
    width_ = 0;
    height_ = 0;
  }
  return ok;
}

}  // namespace quivorant
