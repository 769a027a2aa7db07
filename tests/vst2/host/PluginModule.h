// Loads a built VST2 library the way a host does (dlopen, or LoadLibrary under Windows and Wine)
// and finds its entry points by name.
#pragma once

#include <string>

#include "platform/SharedLibrary.h"
#include "vst2/abi/VstEffect.h"

namespace quivorant_test {

typedef AEffect*(VSTCALLBACK* VstEntryProc)(audioMasterCallback host);

// Build paths are Unix paths; under Wine the Unix root is the Z: drive.
inline std::string LoadablePath(const std::string& path) {
#if defined(_WIN32)
  if (!path.empty() && path[0] == '/') return "Z:" + path;
#endif
  return path;
}

class PluginModule {
public:
  bool Load(const std::string& path) { return library_.Open(LoadablePath(path), &error_); }
  void* Symbol(const char* name) const { return library_.Symbol(name); }
  VstEntryProc Entry(const char* name) const { return reinterpret_cast<VstEntryProc>(Symbol(name)); }
  const std::string& Error() const { return error_; }

private:
  quivorant::SharedLibrary library_;
  std::string error_;
};

}  // namespace quivorant_test
