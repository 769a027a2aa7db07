// Loads a VST3 module the way a host does: dlopen + ModuleEntry on Linux, LoadLibrary +
// InitDll on Windows, then GetPluginFactory; unloads in reverse order. A bundle folder
// (NAME.vst3/Contents/<architecture>/NAME.<suffix>) loads the module inside it.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/Library.h"
#include "vst3/sdk/interfaces/ipluginbase.h"

namespace quivorant::test {

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
  void* Symbol(const char* name) const { return library_.Symbol(name); }
  // A fresh reference each call; the caller releases it.
  Steinberg::IPluginFactory* Factory() const {
    auto get = reinterpret_cast<Steinberg::IPluginFactory* (*)()>(Symbol("GetPluginFactory"));
    return get != nullptr ? get() : nullptr;
  }
  const std::string& Error() const { return library_.Error(); }

private:
  Library library_;
  bool entered_ = false;
};

// The module a path names: the one inside a bundle folder, else the path itself.
inline std::string ModuleInBundle(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path bundle(path);
  if (!std::filesystem::is_directory(bundle, ec)) return path;
#if defined(_WIN32)
  return (bundle / "Contents" / "x86_64-win" / (bundle.stem().string() + ".vst3")).string();
#else
  return (bundle / "Contents" / "x86_64-linux" / (bundle.stem().string() + ".so")).string();
#endif
}

#if defined(QUIVORANT_VST3_MODULE_PATH)
// The module under test, as built into its bundle, and that bundle's folder.
inline std::string ModuleUnderTest() { return LoadablePath(QUIVORANT_VST3_MODULE_PATH); }
inline std::string BundleUnderTest() {
  return std::filesystem::path(ModuleUnderTest()).parent_path().parent_path().parent_path().string();
}
#endif

}  // namespace quivorant::test
