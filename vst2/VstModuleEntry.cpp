// The exported entry points of the VST2 library. Hosts look for VSTPluginMain first and fall
// back to the older name main; both build one instance. The module handle the editor needs is
// found from an address inside the module (platform/ModuleInfo.h), so no load-time hook is kept.

#include "platform/PlatformDefs.h"
#include "vst2/VstPluginCreation.h"

QUIVORANT_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback hostCallback) noexcept;

AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback hostCallback) noexcept {
  return quivorant::CreateVstPlugin(hostCallback);
}

#if QUIVORANT_PLATFORM_POSIX
// C++ does not allow a function named main that answers a pointer; an assembler label gives this
// one that symbol name. (The Windows library exports main through its .def file instead.)
extern "C" __attribute__((visibility("default"))) AEffect* VstLegacyMain(audioMasterCallback hostCallback) noexcept
    __asm__("main");

AEffect* VstLegacyMain(audioMasterCallback hostCallback) noexcept { return VSTPluginMain(hostCallback); }
#endif
