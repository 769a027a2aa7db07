#include <windows.h>

#include "tools/render/SharedLibrary.h"

namespace quivorant::render {

SharedLibrary::~SharedLibrary() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool SharedLibrary::Open(const std::string& path, std::string* error) {
  handle_ = LoadLibraryA(path.c_str());
  if (!handle_) {
    *error = "cannot load plug-in \"" + path + "\": not a library this system can load";
    return false;
  }
  return true;
}

void* SharedLibrary::Symbol(const char* name) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

}  // namespace quivorant::render
