// A host's side of an editor window for tests: a visible top-level frame to open editors in, and
// the message loop run for a while. Shared by the editor-window tests and the plug-in tests that
// open the editor through a format's own calls.
#pragma once

#include "graphics/win/detail/WindowsApi.h"

namespace quivorant::test {

// A visible top-level window to host editors; destroyed by the caller.
HWND CreateHostFrame();
// One frame shared by the tests that do not destroy it (a top-level window costs Wine seconds).
HWND SharedHostFrame();
// Runs the message loop (timers, posted input) for ms milliseconds.
void PumpMessages(int ms);

}  // namespace quivorant::test
