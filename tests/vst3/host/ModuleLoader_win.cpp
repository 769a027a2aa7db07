#include <windows.h>

#include "tests/vst3/host/ModuleLoader.h"

namespace vst3host {

bool ModuleLoader::Load(const std::string& path) {
  handle_ = reinterpret_cast<void*>(LoadLibraryA(ModuleInBundle(path).c_str()));
  if (handle_ == nullptr) {
    error_ = "LoadLibrary failed with " + std::to_string(GetLastError());
    return false;
  }
  auto init = reinterpret_cast<bool (*)()>(Symbol("InitDll"));
  if (init != nullptr && !init()) {
    error_ = "InitDll refused";
    return false;
  }
  entered_ = true;
  return true;
}

void ModuleLoader::Unload() {
  if (handle_ == nullptr) return;
  if (entered_) {
    auto exitFn = reinterpret_cast<bool (*)()>(Symbol("ExitDll"));
    if (exitFn != nullptr) exitFn();
    entered_ = false;
  }
  FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

void* ModuleLoader::Symbol(const char* name) const {
  return handle_ != nullptr ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

Steinberg::IPluginFactory* ModuleLoader::Factory() const {
  auto get = reinterpret_cast<Steinberg::IPluginFactory* (*)()>(Symbol("GetPluginFactory"));
  return get != nullptr ? get() : nullptr;
}

// Wine reaches the build tree through its Z: drive.
std::string ModuleUnderTest() { return std::string("Z:") + QUIVORANT_VST3_MODULE_PATH; }

}  // namespace vst3host
