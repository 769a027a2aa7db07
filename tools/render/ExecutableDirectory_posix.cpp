#include <unistd.h>

#include <climits>

#include "tools/render/ToolPaths.h"

namespace quivorant::render {

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "./";
  std::string s(path, static_cast<size_t>(n));
  return s.substr(0, s.find_last_of('/') + 1);
}

}  // namespace quivorant::render
