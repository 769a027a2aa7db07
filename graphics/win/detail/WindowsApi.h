// <windows.h> for the editor's Windows files. The system header defines macros named like the
// editor's own operations (LoadBitmap, DrawText); they are removed here so that code including
// both sees and calls the editor's real names.
#pragma once

#include <windows.h>

#undef LoadBitmap
#undef DrawText
