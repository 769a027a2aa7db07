#include "vst3/ModuleState.h"

#include <cstring>

namespace quivorant {

namespace {
// Windows paths are at most 260 UTF-16 units; in UTF-8 that is at most three bytes each.
char gDirectory[260 * 3 + 1] = {};
void* gHandle = nullptr;
void* gEditorResourceHandle = nullptr;
}  // namespace

void* Vst3ModuleHandle() { return gHandle; }
const char* Vst3ModuleDirectory() { return gDirectory; }

void RecordVst3Module(void* handle, const char* directory) {
  gHandle = handle;
  gDirectory[0] = '\0';
  if (directory != nullptr) {
    std::strncpy(gDirectory, directory, sizeof gDirectory - 1);
    gDirectory[sizeof gDirectory - 1] = '\0';
  }
}

void* Vst3EditorResourceHandle() { return gEditorResourceHandle; }
void UseModuleForEditorResources() { gEditorResourceHandle = gHandle; }

}  // namespace quivorant
