#include <windows.h>

#include "tools/render/ToolPaths.h"

namespace quivorant::render {

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return ".\\";
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

}  // namespace quivorant::render
