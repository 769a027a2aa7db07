// Read-only access to the binary resources linked into our own module (the editor's PNGs).
// Windows: the resource section of this DLL (FindResourceA / LoadResource / LockResource).
// Elsewhere: a table that the resources library registers at start-up, looked up by number.
// The bytes stay valid until the module unloads; nothing here allocates or throws.
#pragma once

#include <cstddef>

namespace quivorant {

struct ResourceBytes {
  const unsigned char* data;
  std::size_t size;
};

// Finds resource `id` of the given type name ("PNG") in this module. False (and *out cleared)
// when there is no such resource.
bool FindModuleResource(int id, const char* type, ResourceBytes* out);

// The same lookup in a given module handle (none means this module). On systems without
// resource sections every handle reads the registered table.
bool FindResourceInModule(void* module, int id, const char* type, ResourceBytes* out);

struct EmbeddedResource {
  int id;
  const char* type;
  const unsigned char* data;
  std::size_t size;
};

// Makes a table of embedded resources visible to the lookups above (POSIX body only; Windows
// reads the real resource section and ignores it). The table must outlive every lookup; a second
// registration of the same table is harmless, further tables are searched after earlier ones.
void RegisterEmbeddedResources(const EmbeddedResource* table, std::size_t count);

}  // namespace quivorant
