#include "platform/ModuleInfo.h"

#include <windows.h>

namespace quivorant {

namespace {
void Anchor() {}
}  // namespace

void* ThisModuleHandle() {
  HMODULE module = nullptr;
  // UNCHANGED_REFCOUNT: we only want to know who we are, not to pin ourselves in memory.
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&Anchor), &module)) {
    return nullptr;
  }
  return module;
}

std::string ThisModulePath() {
  HMODULE module = static_cast<HMODULE>(ThisModuleHandle());
  if (module == nullptr) return std::string();
  // Long paths need more than MAX_PATH; grow until the name fits.
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 6; ++attempt) {
    DWORD n = GetModuleFileNameA(module, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 4);
  }
  return std::string();
}

std::string ThisModuleDirectory() {
  std::string path = ThisModulePath();
  std::string::size_type sep = path.find_last_of("\\/");
  if (sep == std::string::npos) return std::string();
  return path.substr(0, sep);
}

}  // namespace quivorant
