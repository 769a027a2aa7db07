// Windows module entry: the loader's DllMain, and InitDll/ExitDll for hosts that call them.
#include <windows.h>

#include <cwchar>

#include "vst3/ModuleState.h"
#include "vst3/Vst3Factory.h"

namespace {
// Records the handle and the directory of the module file (trailing backslash kept).
void RecordModule(HINSTANCE instance) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  path[length < MAX_PATH ? length : MAX_PATH] = L'\0';
  wchar_t* lastSlash = std::wcsrchr(path, L'\\');
  if (lastSlash != nullptr) lastSlash[1] = L'\0';
  char directory[MAX_PATH * 3 + 1] = {};
  WideCharToMultiByte(CP_UTF8, 0, path, -1, directory, sizeof directory, nullptr, nullptr);
  quivorant::RecordVst3Module(instance, directory);
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) RecordModule(instance);
  return TRUE;
}

extern "C" __declspec(dllexport) bool InitDll() {
  quivorant::UseModuleForEditorResources();
  return true;
}

extern "C" __declspec(dllexport) bool ExitDll() { return true; }
