// PNG images from resources or files: damaged, truncated or oversized data yields no bitmap and
// never reads past the data or reserves more than an image of the limits needs.
#include <cstdint>
#include <cstdlib>

#include "raster/RasterBitmap.h"
#include "raster/RasterPng.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quivorant::RasterBitmap* bitmap = quivorant::RasterLoadPngMemory(data, size, nullptr);
  if (bitmap) {
    if (bitmap->Width() <= 0 || bitmap->Height() <= 0 || bitmap->Width() > quivorant::kRasterPngMaxDimension ||
        bitmap->Height() > quivorant::kRasterPngMaxDimension) {
      std::abort();
    }
    // Touch every pixel so the sanitizers see the whole image.
    const quivorant::RasterPixel* p = bitmap->PixelData();
    std::uint32_t sum = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
      for (int x = 0; x < bitmap->Width(); ++x) sum += p[y * bitmap->RowSpan() + x];
    }
    volatile std::uint32_t sink = sum;
    (void)sink;
    delete bitmap;
  }
  return 0;
}
