#include <dlfcn.h>

#include "tests/vst3/host/ModuleLoader.h"

namespace vst3host {

bool ModuleLoader::Load(const std::string& path) {
  handle_ = dlopen(ModuleInBundle(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error_ = why != nullptr ? why : "dlopen failed";
    return false;
  }
  auto entry = reinterpret_cast<bool (*)(void*)>(Symbol("ModuleEntry"));
  if (entry == nullptr || Symbol("ModuleExit") == nullptr) {
    error_ = "ModuleEntry/ModuleExit missing";
    return false;
  }
  if (!entry(handle_)) {
    error_ = "ModuleEntry refused";
    return false;
  }
  entered_ = true;
  return true;
}

void ModuleLoader::Unload() {
  if (handle_ == nullptr) return;
  if (entered_) {
    auto exitFn = reinterpret_cast<bool (*)()>(Symbol("ModuleExit"));
    if (exitFn != nullptr) exitFn();
    entered_ = false;
  }
  dlclose(handle_);
  handle_ = nullptr;
}

void* ModuleLoader::Symbol(const char* name) const { return handle_ != nullptr ? dlsym(handle_, name) : nullptr; }

Steinberg::IPluginFactory* ModuleLoader::Factory() const {
  auto get = reinterpret_cast<Steinberg::IPluginFactory* (*)()>(Symbol("GetPluginFactory"));
  return get != nullptr ? get() : nullptr;
}

std::string ModuleUnderTest() { return QUIVORANT_VST3_MODULE_PATH; }

}  // namespace vst3host
