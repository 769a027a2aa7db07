// Internals shared by the editor window's source files: the two window procedures, the window
// class bookkeeping and the conversions from our void* handles. Windows-only; never include it
// from portable code.
#pragma once

#include "graphics/win/detail/WindowsApi.h"

#include "graphics/MouseModifiers.h"

namespace quivorant::detail {

LRESULT CALLBACK EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EntryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Counts open editor windows; registers the class on the first, unregisters it after the last.
// Acquire returns false (and counts nothing) when the class cannot be registered.
bool AcquireEditorWindowClass(HINSTANCE instance);
void ReleaseEditorWindowClass();
int EditorWindowClassUsers();

// Buttons and keys of a mouse message's key-state word; alt from the keyboard state.
MouseModifiers ModifiersFromKeyState(WPARAM keyState);
// Shift, control and alt from the keyboard state, no buttons.
MouseModifiers ModifiersFromKeyboard();

inline HWND AsWindow(void* handle) { return static_cast<HWND>(handle); }

// The resolution Windows draws 100 % at, and the messages that tell a window its monitor's
// scale changed (named here: older headers lack them).
inline constexpr int kBaseDpi = 96;
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmDpiChangedAfterParent = 0x02E3;
// The window's monitor resolution, or 0 where the system cannot tell (before Windows 10 1607,
// whose user32 lacks GetDpiForWindow; it is looked up when first needed, so the DLL still loads).
int WindowDpi(HWND window);

// Window property of an entry window that holds the procedure it had before we replaced it.
inline constexpr const char* kPreviousProcProperty = "IEffectEntryPrevProc";

}  // namespace quivorant::detail
