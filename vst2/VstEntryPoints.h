// The C layer between the host and IEffectVST: plain functions with the interface's signatures
// that recover the instance from the record, check it and forward. Nothing here does any work.
#pragma once

#include "vst2/abi/VstEffect.h"

namespace quivorant {

struct VstEntryPoints {
  // Puts the dispatcher, the audio callbacks and the parameter callbacks into a record.
  static void Install(AEffect& record);
};

// What VSTPluginMain does: constructs one instance under the process-wide creation lock and
// answers its record, or null when construction fails. The callback is only stored.
AEffect* CreateVstPlugin(audioMasterCallback hostCallback) noexcept;

}  // namespace quivorant
