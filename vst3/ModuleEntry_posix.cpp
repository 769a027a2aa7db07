// Linux module entry: hosts call ModuleEntry after dlopen and ModuleExit before dlclose, each
// possibly several times; the first entry sets the module up, the last exit tears it down.
#include <mutex>
#include <string>

#include "platform/ModuleInfo.h"
#include "platform/PlatformDefs.h"
#include "vst3/ModuleState.h"
#include "vst3/Vst3Factory.h"

namespace {
std::mutex gEntryMutex;
int gEntryCount = 0;
}  // namespace

QUIVORANT_EXPORT bool ModuleEntry(void* handle) {
  std::lock_guard<std::mutex> hold(gEntryMutex);
  if (gEntryCount++ == 0) {
    std::string directory = quivorant::ThisModuleDirectory();
    if (!directory.empty()) directory += '/';
    quivorant::RecordVst3Module(handle, directory.c_str());
    quivorant::UseModuleForEditorResources();
  }
  return true;
}

QUIVORANT_EXPORT bool ModuleExit() {
  std::lock_guard<std::mutex> hold(gEntryMutex);
  if (gEntryCount == 0) return false;  // an exit without its entry
  if (--gEntryCount == 0) quivorant::ReleasePluginFactory();
  return true;
}
