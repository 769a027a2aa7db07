// Instance creation for the VST2 library's entry points.
#pragma once

#include "vst2/abi/VstEffect.h"

namespace quivorant {

// What VSTPluginMain does: constructs one instance under the process-wide creation lock and
// answers its record, or null when construction fails. The callback is only stored.
AEffect* CreateVstPlugin(audioMasterCallback hostCallback) noexcept;

}  // namespace quivorant
