// What the module records about itself when it is loaded: its handle and its directory.
// Written by the module entry (library load, ModuleEntry or InitDll), read by the editor.
#pragma once

namespace quivorant {

// HMODULE on Windows, the dlopen handle on Linux; null before the module entry ran.
void* Vst3ModuleHandle();
// The module's directory with its trailing separator; "" before the module entry ran.
const char* Vst3ModuleDirectory();
void RecordVst3Module(void* handle, const char* directory);

// The handle the editor loads its images with (InitDll makes it the module's own).
void* Vst3EditorResourceHandle();
void UseModuleForEditorResources();

}  // namespace quivorant
