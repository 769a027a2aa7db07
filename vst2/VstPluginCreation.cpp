// VSTPluginMain's work: one instance of the effect under a process-wide lock. It lives with the
// effect compiled over the front end (not in the front end), so the front end never calls back
// into the effect and the libraries link in one direction.
#include "vst2/VstPluginCreation.h"

#include "platform/InstanceLock.h"
#include "vst2/IEffectVST.h"

namespace quivorant {
namespace {

// Process-wide; a function-local static is created once even when hosts instantiate from
// several threads at the same time, and is destroyed when the module unloads.
InstanceLock& CreationLock() {
  static InstanceLock lock;
  return lock;
}

}  // namespace

AEffect* CreateVstPlugin(audioMasterCallback hostCallback) noexcept {
  InstanceLock::Scope hold(CreationLock());
  IEffectVST* instance = nullptr;
  try {
    instance = CreateEffectInstance(hostCallback);
  } catch (...) {
    return nullptr;
  }
  if (instance == nullptr) return nullptr;
  try {
    instance->EnsureDefaultPreset();
  } catch (...) {
    delete instance;
    return nullptr;
  }
  AEffect* record = instance->EffectRecord();
  if (record->numPrograms < 1) record->numPrograms = 1;
  return record;
}

}  // namespace quivorant
