// Makes the editor's images findable through platform/ModuleResources.h.
#pragma once

namespace quivorant {

// Call once before the first image lookup (any thread; repeated calls are harmless). On Windows
// the images are in the module's resource section already and this does nothing; elsewhere it
// registers the table of PNGs linked into the library.
void RegisterQuivorantResources();

}  // namespace quivorant
