#include <dlfcn.h>

#include "tools/render/SharedLibrary.h"

namespace quivorant::render {

SharedLibrary::~SharedLibrary() {
  if (handle_) dlclose(handle_);
}

bool SharedLibrary::Open(const std::string& path, std::string* error) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    dlerror();  // the loader's own text is cleared; the caller has already ruled out a missing file
    *error = "cannot load plug-in \"" + path + "\": not a library this system can load";
    return false;
  }
  return true;
}

void* SharedLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

}  // namespace quivorant::render
