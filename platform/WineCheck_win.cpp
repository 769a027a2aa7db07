#include "platform/WineCheck.h"

#include <windows.h>

namespace quivorant {

namespace {
bool LookUp() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}
}  // namespace

bool IsRunningUnderWine() {
  // Thread-safe one-time initialisation; the answer cannot change while we are loaded.
  static const bool underWine = LookUp();
  return underWine;
}

}  // namespace quivorant
