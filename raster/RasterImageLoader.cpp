#include "raster/RasterImageLoader.h"

#include "raster/RasterPng.h"

#include <cctype>
#include <cstring>
#include <mutex>

namespace quivorant {

namespace {

bool AcceptsPngName(const char* fileName) {
  if (fileName == nullptr) return false;
  const char* tail = nullptr;
  for (const char* p = fileName; *p != '\0'; ++p) {
    if (*p == '.' || *p == '/' || *p == '\\') tail = p;
  }
  if (tail == nullptr) return false;
  static const char kExtension[] = ".png";
  for (std::size_t i = 0; i < sizeof kExtension; ++i) {
    const int a = std::tolower(static_cast<unsigned char>(tail[i]));
    if (a != kExtension[i]) return false;
    if (tail[i] == '\0') break;
  }
  return true;
}

const RasterImageLoader kPngLoader{"PNG files (*.PNG)", "*.PNG", AcceptsPngName, RasterLoadPngFile,
                                   RasterLoadPngMemory};

constexpr std::size_t kMaxLoaders = 8;

struct Registry {
  std::mutex lock;
  const RasterImageLoader* loaders[kMaxLoaders] = {&kPngLoader};
  std::size_t count = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

const RasterImageLoader& RasterPngImageLoader() { return kPngLoader; }

bool RasterRegisterImageLoader(const RasterImageLoader* loader) {
  if (loader == nullptr || loader->accepts == nullptr || loader->loadFile == nullptr) return false;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (std::size_t i = 0; i < r.count; ++i) {
    if (r.loaders[i] == loader) return true;
  }
  if (r.count == kMaxLoaders) return false;
  r.loaders[r.count++] = loader;
  return true;
}

std::size_t RasterImageLoaderCount() {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  return r.count;
}

const RasterImageLoader* RasterImageLoaderAt(std::size_t index) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  return index < r.count ? r.loaders[index] : nullptr;
}

const RasterImageLoader* RasterFindImageLoader(const char* fileName) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (std::size_t i = 0; i < r.count; ++i) {
    if (r.loaders[i]->accepts(fileName)) return r.loaders[i];
  }
  return nullptr;
}

RasterBitmap* RasterLoadImageFile(const char* path, RasterBitmap* dest) {
  const RasterImageLoader* loader = RasterFindImageLoader(path);
  return loader != nullptr ? loader->loadFile(path, dest) : nullptr;
}

}  // namespace quivorant
