// The raster layer's picture of a bitmap: 32-bit pixels (A << 24) | (R << 16) | (G << 8) | B,
// straight (not premultiplied) alpha, rows top to bottom RowSpan() pixels apart.
// Implementations: RasterMemBitmap (plain memory) and RasterSysBitmap (a Windows DIB section
// with a device context; memory-backed elsewhere). A bitmap is used by one thread at a time.
#pragma once

#include <cstdint>

namespace quivorant {

using RasterPixel = std::uint32_t;

class RasterBitmap {
public:
  virtual ~RasterBitmap() = default;
  // First pixel of row 0, or none when the bitmap has no storage.
  virtual RasterPixel* PixelData() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Distance between rows, in pixels.
  virtual int RowSpan() const = 0;
  virtual bool IsBottomUp() const = 0;
  // False when nothing changed or no storage could be had. Pixels are undefined afterwards.
  virtual bool SetSize(int width, int height) = 0;
  // A Windows device context (HDC) that draws into the pixels, or none.
  virtual void* DeviceContext() = 0;
  // Optional extensions by four-character code; 0 when unsupported.
  virtual int ExtendedQuery(std::uint32_t code, void* data) = 0;

protected:
  RasterBitmap() = default;
  RasterBitmap(const RasterBitmap&) = delete;
  RasterBitmap& operator=(const RasterBitmap&) = delete;
};

}  // namespace quivorant
