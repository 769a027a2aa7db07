#include "graphics/BitmapCache.h"

#include "raster/RasterBitmap.h"

namespace quivorant {

BitmapCache& BitmapCache::Instance() {
  static BitmapCache cache;
  return cache;
}

BitmapCache::~BitmapCache() = default;

RasterBitmap* BitmapCache::FindLocked(int key) const {
  for (const Entry& e : entries_) {
    if (e.key == key) return e.bitmap.get();
  }
  return nullptr;
}

RasterBitmap* BitmapCache::Find(int key) {
  InstanceLock::Scope hold(lock_);
  return FindLocked(key);
}

RasterBitmap* BitmapCache::Add(int key, RasterBitmap* bitmap) {
  std::unique_ptr<RasterBitmap> owned(bitmap);
  InstanceLock::Scope hold(lock_);
  // Every editor splits the same images under the same keys: a second copy would never be
  // found, only kept until the library unloads, once per instance ever created.
  if (RasterBitmap* first = FindLocked(key)) return first;
  if (owned) entries_.push_back(Entry{key, std::move(owned)});
  return FindLocked(key);
}

}  // namespace quivorant
