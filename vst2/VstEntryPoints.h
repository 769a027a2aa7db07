// The C layer between the host and IEffectVST: plain functions with the interface's signatures
// that recover the instance from the record, check it and forward. Nothing here does any work.
#pragma once

#include "vst2/abi/VstEffect.h"

namespace quivorant {

struct VstEntryPoints {
  // Puts the dispatcher, the audio callbacks and the parameter callbacks into a record.
  static void Install(AEffect& record);
};

}  // namespace quivorant
