#include "platform/ModuleInfo.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <cstdlib>

namespace quivorant {

namespace {
// Any function of ours will do: its address lies inside the module we are linked into.
void Anchor() {}

bool Lookup(Dl_info* info) { return dladdr(reinterpret_cast<void*>(&Anchor), info) != 0; }
}  // namespace

void* ThisModuleHandle() {
  Dl_info info{};
  return Lookup(&info) ? info.dli_fbase : nullptr;
}

std::string ThisModulePath() {
  Dl_info info{};
  if (!Lookup(&info) || info.dli_fname == nullptr) return std::string();
  // dladdr reports the name the module was loaded by, which may be relative to a working
  // directory that has changed since; the resolved path stays valid.
  char* resolved = realpath(info.dli_fname, nullptr);
  if (resolved == nullptr) return std::string(info.dli_fname);
  std::string path(resolved);
  std::free(resolved);
  return path;
}

std::string ThisModuleDirectory() {
  std::string path = ThisModulePath();
  std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  if (slash == 0) return std::string("/");
  return path.substr(0, slash);
}

}  // namespace quivorant
