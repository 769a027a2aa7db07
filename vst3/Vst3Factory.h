// The module's class factory: one audio-effect class whose instances are CLS_QUIVORANT.
#pragma once

#include "vst3/sdk/helpers/pluginfactory.h"

namespace quivorant {

// The factory with one reference added for the caller; created on the first call.
Steinberg::IPluginFactory* AcquirePluginFactory();
// Drops the module's own reference (module exit); hosts may still hold theirs.
void ReleasePluginFactory();

}  // namespace quivorant
