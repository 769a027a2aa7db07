#include "platform/ModuleInfo.h"
#include "platform/ModuleResources.h"

#include <windows.h>

namespace quivorant {

void RegisterEmbeddedResources(const EmbeddedResource* /*table*/, std::size_t /*count*/) {
  // The resource script is linked into the module; there is nothing to register.
}

bool FindResourceInModule(void* module, int id, const char* type, ResourceBytes* out) {
  if (out == nullptr) return false;
  *out = ResourceBytes{nullptr, 0};
  if (type == nullptr) return false;
  HMODULE handle = static_cast<HMODULE>(module != nullptr ? module : ThisModuleHandle());
  HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id & 0xFFFF), type);
  if (found == nullptr) return false;
  DWORD size = SizeofResource(handle, found);
  HGLOBAL loaded = LoadResource(handle, found);
  if (loaded == nullptr) return false;
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) return false;
  *out = ResourceBytes{static_cast<const unsigned char*>(bytes), static_cast<std::size_t>(size)};
  return true;
}

bool FindModuleResource(int id, const char* type, ResourceBytes* out) {
  return FindResourceInModule(nullptr, id, type, out);
}

}  // namespace quivorant
