#include "tests/vst3/host/ModuleLoader.h"

namespace vst3host {

bool ModuleLoader::Load(const std::string& path) {
  if (!library_.Open(ModuleInBundle(path), &error_)) return false;
  auto entry = reinterpret_cast<bool (*)(void*)>(Symbol("ModuleEntry"));
  if (entry == nullptr || Symbol("ModuleExit") == nullptr) {
    error_ = "ModuleEntry/ModuleExit missing";
    return false;
  }
  if (!entry(library_.Handle())) {
    error_ = "ModuleEntry refused";
    return false;
  }
  entered_ = true;
  return true;
}

void ModuleLoader::Unload() {
  if (entered_) {
    auto exitFn = reinterpret_cast<bool (*)()>(Symbol("ModuleExit"));
    if (exitFn != nullptr) exitFn();
    entered_ = false;
  }
  library_.Close();
}

std::string ModuleUnderTest() { return QUIVORANT_VST3_MODULE_PATH; }

}  // namespace vst3host
