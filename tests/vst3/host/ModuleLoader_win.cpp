#include "tests/vst3/host/ModuleLoader.h"

namespace vst3host {

bool ModuleLoader::Load(const std::string& path) {
  if (!library_.Open(ModuleInBundle(path), &error_)) return false;
  auto init = reinterpret_cast<bool (*)()>(Symbol("InitDll"));
  if (init != nullptr && !init()) {
    error_ = "InitDll refused";
    return false;
  }
  entered_ = true;
  return true;
}

void ModuleLoader::Unload() {
  if (entered_) {
    auto exitFn = reinterpret_cast<bool (*)()>(Symbol("ExitDll"));
    if (exitFn != nullptr) exitFn();
    entered_ = false;
  }
  library_.Close();
}

// Wine reaches the build tree through its Z: drive.
std::string ModuleUnderTest() { return std::string("Z:") + QUIVORANT_VST3_MODULE_PATH; }

}  // namespace vst3host
