#include <windows.h>

#include "tests/vst2/host/PluginModule.h"

namespace quivorant_test {

PluginModule::~PluginModule() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool PluginModule::Load(const std::string& path) {
  // Build paths are Unix paths; Wine's Z: drive is the Unix root.
  const std::string windowsPath = (!path.empty() && path[0] == '/') ? "Z:" + path : path;
  handle_ = LoadLibraryA(windowsPath.c_str());
  if (handle_ == nullptr) error_ = "LoadLibrary failed with error " + std::to_string(GetLastError());
  return handle_ != nullptr;
}

void* PluginModule::Symbol(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

}  // namespace quivorant_test
