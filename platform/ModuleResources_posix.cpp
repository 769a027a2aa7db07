#include "platform/ModuleResources.h"

#include <cstring>
#include <mutex>

namespace quivorant {

namespace {

// A handful of tables at most (the product registers one); fixed storage keeps registration
// allocation-free and safe to call from static initialisers.
constexpr std::size_t kMaxTables = 8;

struct Registry {
  std::mutex lock;
  const EmbeddedResource* tables[kMaxTables] = {};
  std::size_t counts[kMaxTables] = {};
  std::size_t used = 0;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterEmbeddedResources(const EmbeddedResource* table, std::size_t count) {
  if (table == nullptr || count == 0) return;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (std::size_t i = 0; i < r.used; ++i) {
    if (r.tables[i] == table) {
      r.counts[i] = count;
      return;
    }
  }
  if (r.used == kMaxTables) return;
  r.tables[r.used] = table;
  r.counts[r.used] = count;
  ++r.used;
}

bool FindResourceInModule(void* /*module*/, int id, const char* type, ResourceBytes* out) {
  if (out == nullptr) return false;
  *out = ResourceBytes{nullptr, 0};
  if (type == nullptr) return false;
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (std::size_t t = 0; t < r.used; ++t) {
    for (std::size_t i = 0; i < r.counts[t]; ++i) {
      const EmbeddedResource& e = r.tables[t][i];
      // Resource identifiers are 16-bit, as in a Windows resource section.
      if ((e.id & 0xFFFF) == (id & 0xFFFF) && e.type != nullptr && std::strcmp(e.type, type) == 0) {
        *out = ResourceBytes{e.data, e.size};
        return e.data != nullptr;
      }
    }
  }
  return false;
}

bool FindModuleResource(int id, const char* type, ResourceBytes* out) {
  return FindResourceInModule(nullptr, id, type, out);
}

}  // namespace quivorant
