// A bitmap in plain heap memory. Rows start 64-byte aligned; the row span is rounded up to the
// row alignment given at construction (the editor uses 4). Resizing grows the storage by a
// quarter more than needed and never shrinks it, so a bitmap that is resized often settles.
#pragma once

#include "raster/RasterBitmap.h"

#include <cstddef>

namespace quivorant {

class RasterMemBitmap : public RasterBitmap {
public:
  RasterMemBitmap(int width, int height, int rowAlignment);
  ~RasterMemBitmap() override;

  RasterPixel* PixelData() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowSpan() const override;
  bool IsBottomUp() const override { return false; }
  bool SetSize(int width, int height) override;
  void* DeviceContext() override { return nullptr; }
  int ExtendedQuery(std::uint32_t, void*) override { return 0; }

  // Bytes currently reserved for pixels (without the alignment slack); for tests and tuning.
  std::size_t AllocatedBytes() const { return allocated_; }

private:
  void FreeStorage();

  unsigned char* storage_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::size_t allocated_ = 0;
  int alignMask_ = 0;
};

}  // namespace quivorant
