#include "platform/SharedLibrary.h"

#include <windows.h>

namespace quivorant {

bool SharedLibrary::Open(const std::string& path, std::string* reason) {
  Close();
  handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
  if (handle_ != nullptr) return true;
  if (reason != nullptr) *reason = "LoadLibrary failed with error " + std::to_string(GetLastError());
  return false;
}

void SharedLibrary::Close() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const {
  return handle_ != nullptr ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

}  // namespace quivorant
