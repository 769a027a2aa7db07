// A VST 2.4 plug-in that is not quivorant, for the tool's "wrong plug-in" refusal.
#include <cstring>

#include "platform/PlatformDefs.h"
#include "vst2/abi/VstEffect.h"
#include "vst2/abi/VstOpcodes.h"

namespace {

VstIntPtr VSTCALLBACK Dispatch(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  if (opcode == effGetEffectName && ptr) std::strcpy(static_cast<char*>(ptr), "Other Effect");
  return 0;
}

AEffect gEffect = [] {
  AEffect e{};
  e.magic = kEffectMagic;
  e.dispatcher = Dispatch;
  e.uniqueID = CCONST('O', 't', 'h', 'r');
  return e;
}();

}  // namespace

QUIVORANT_EXPORT AEffect* VSTPluginMain(audioMasterCallback) { return &gEffect; }
