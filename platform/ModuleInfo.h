// Who we are on disk: the handle and directory of the module (DLL or shared object) that this
// code is linked into, found from the address of a function inside it, so it names the plug-in,
// not the host executable.
#pragma once

#include <string>

namespace quivorant {

// HMODULE on Windows, the dladdr base address elsewhere; none when it cannot be found.
void* ThisModuleHandle();

// Full path of this module's file, or empty when unknown.
std::string ThisModulePath();

// Directory holding this module's file, without a trailing separator; empty when unknown.
std::string ThisModuleDirectory();

}  // namespace quivorant
