// Loads a VST3 module the way a host does: dlopen + ModuleEntry on Linux, LoadLibrary +
// InitDll on Windows, then GetPluginFactory; unloads in reverse order.
#pragma once

#include <string>

#include "vst3/sdk/interfaces/ipluginbase.h"

namespace vst3host {

class ModuleLoader {
public:
  ModuleLoader() = default;
  ~ModuleLoader() { Unload(); }
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  // False (with Error() telling why) when the module or an entry point is missing.
  bool Load(const std::string& path);
  void Unload();
  // Resolves an exported function; null when absent.
  void* Symbol(const char* name) const;
  // A fresh reference each call; the caller releases it.
  Steinberg::IPluginFactory* Factory() const;
  const std::string& Error() const { return error_; }

private:
  void* handle_ = nullptr;
  bool entered_ = false;
  std::string error_;
};

// The module under test, as built next to this test.
std::string ModuleUnderTest();

}  // namespace vst3host
