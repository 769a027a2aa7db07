#include <dlfcn.h>

#include "tests/vst2/host/PluginModule.h"

namespace quivorant_test {

PluginModule::~PluginModule() {
  if (handle_ != nullptr) dlclose(handle_);
}

bool PluginModule::Load(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error_ = why != nullptr ? why : "dlopen failed";
  }
  return handle_ != nullptr;
}

void* PluginModule::Symbol(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

}  // namespace quivorant_test
