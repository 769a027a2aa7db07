// Loads a built VST2 library the way a host does (dlopen, or LoadLibrary under Windows and Wine)
// and finds its entry points by name.
#pragma once

#include <string>

#include "vst2/abi/VstEffect.h"

namespace quivorant_test {

typedef AEffect*(VSTCALLBACK* VstEntryProc)(audioMasterCallback host);

class PluginModule {
public:
  PluginModule() = default;
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  bool Load(const std::string& path);
  void* Symbol(const char* name) const;
  VstEntryProc Entry(const char* name) const { return reinterpret_cast<VstEntryProc>(Symbol(name)); }
  const std::string& Error() const { return error_; }

private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace quivorant_test
