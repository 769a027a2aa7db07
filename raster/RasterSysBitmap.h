// The editor's draw bitmap. On Windows a top-down 32-bit DIB section selected into its own memory
// device context, so the window can BitBlt from it and GDI can draw into it. Elsewhere the same
// sizing rules over heap memory, without a device context.
// Rows are rounded up to a multiple of 4 pixels; shrinking keeps the existing storage.
#pragma once

#include "raster/RasterBitmap.h"

namespace quivorant {

class RasterSysBitmap : public RasterBitmap {
public:
  RasterSysBitmap(int width, int height);
  ~RasterSysBitmap() override;

  RasterPixel* PixelData() override { return pixels_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int RowSpan() const override { return allocWidth_; }
  bool IsBottomUp() const override { return false; }
  bool SetSize(int width, int height) override;
  void* DeviceContext() override { return dc_; }
  int ExtendedQuery(std::uint32_t, void*) override { return 0; }

  // The storage object currently backing the pixels (the DIB section on Windows); changes only
  // when the storage is replaced. For tests and diagnostics.
  const void* StorageIdentity() const { return section_; }
  int AllocatedWidth() const { return allocWidth_; }
  int AllocatedHeight() const { return allocHeight_; }

private:
  // Platform bodies (RasterSysBitmap_win.cpp / _posix.cpp).
  void CreateContext();
  void DestroyContext();
  bool HasContext() const;
  // Replaces the storage with one of allocWidth_ x allocHeight_; false when that failed.
  bool CreateStorage();
  void ReleaseStorage();

  int width_ = 0;
  int height_ = 0;
  int allocWidth_ = 0;
  int allocHeight_ = 0;
  RasterPixel* pixels_ = nullptr;
  void* dc_ = nullptr;
  void* section_ = nullptr;
  void* previousObject_ = nullptr;
};

}  // namespace quivorant
