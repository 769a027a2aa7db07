#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace quivorant {

bool SharedLibrary::Open(const std::string& path, std::string* reason) {
  Close();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ != nullptr) return true;
  const char* why = dlerror();
  if (reason != nullptr) *reason = why != nullptr ? why : "dlopen failed";
  return false;
}

void SharedLibrary::Close() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const { return handle_ != nullptr ? dlsym(handle_, name) : nullptr; }

}  // namespace quivorant
