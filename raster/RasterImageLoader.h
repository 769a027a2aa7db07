// Registry of image decoders by file name, for file dialogs and loading images from files.
// The PNG decoder is always registered.
#pragma once

#include "raster/RasterBitmap.h"

#include <cstddef>

namespace quivorant {

struct RasterImageLoader {
  const char* filterName;  // shown in file dialogs, e.g. "PNG files (*.PNG)"
  const char* pattern;     // e.g. "*.PNG"
  bool (*accepts)(const char* fileName);
  RasterBitmap* (*loadFile)(const char* path, RasterBitmap* dest);
  RasterBitmap* (*loadMemory)(const void* data, std::size_t size, RasterBitmap* dest);
};

// Adds a loader (kept by pointer; it must outlive its use). False when the registry is full or
// the loader is incomplete. A loader registered twice is kept once.
bool RasterRegisterImageLoader(const RasterImageLoader* loader);
std::size_t RasterImageLoaderCount();
const RasterImageLoader* RasterImageLoaderAt(std::size_t index);
// The first loader that accepts fileName, or none.
const RasterImageLoader* RasterFindImageLoader(const char* fileName);
// Decodes the file with the loader that accepts its name; none when no loader does or it fails.
RasterBitmap* RasterLoadImageFile(const char* path, RasterBitmap* dest);

// The PNG loader's entry: accepts names whose tail from the last '.', '/' or '\' is ".png" in
// any case.
const RasterImageLoader& RasterPngImageLoader();

}  // namespace quivorant
