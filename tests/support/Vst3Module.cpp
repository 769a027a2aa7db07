#include "tests/support/Vst3Module.h"

namespace quivorant::test {

// Linux modules must be entered (ModuleEntry) before anything else; Windows modules may export
// InitDll, and are usable without it.
#if defined(_WIN32)
constexpr const char* kEnter = "InitDll";
constexpr const char* kExit = "ExitDll";
constexpr bool kEntryRequired = false;
#else
constexpr const char* kEnter = "ModuleEntry";
constexpr const char* kExit = "ModuleExit";
constexpr bool kEntryRequired = true;
#endif

bool ModuleLoader::Load(const std::string& path) {
  if (!library_.Load(ModuleInBundle(LoadablePath(path)))) return false;
  void* enter = Symbol(kEnter);
  if (kEntryRequired && (enter == nullptr || Symbol(kExit) == nullptr)) {
    library_.SetError(std::string(kEnter) + "/" + kExit + " missing");
    return false;
  }
#if defined(_WIN32)
  const bool entered = enter == nullptr || reinterpret_cast<bool (*)()>(enter)();
#else
  const bool entered = reinterpret_cast<bool (*)(void*)>(enter)(library_.Handle());
#endif
  if (!entered) {
    library_.SetError(std::string(kEnter) + " refused");
    return false;
  }
  entered_ = true;
  return true;
}

void ModuleLoader::Unload() {
  if (entered_) {
    auto exitFn = reinterpret_cast<bool (*)()>(Symbol(kExit));
    if (exitFn != nullptr) exitFn();
    entered_ = false;
  }
  library_.Close();
}

}  // namespace quivorant::test
