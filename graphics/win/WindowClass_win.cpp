// The editor's window class, shared by every editor window of this module. Registered while at
// least one window exists, so that unloading the module never leaves a class behind whose window
// procedure is gone. Touched only from the user-interface thread.
#include "graphics/win/IGraphicsWin.h"
#include "graphics/win/detail/WinProcs.h"

namespace quivorant::detail {

namespace {

int g_classUsers = 0;
HINSTANCE g_classInstance = nullptr;

}  // namespace

bool AcquireEditorWindowClass(HINSTANCE instance) {
  if (g_classUsers == 0) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditorWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = IGraphicsWin::kWindowClassName;
    // A class left over in this module (nothing of ours unregisters without registering) is
    // still ours and usable.
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    g_classInstance = instance;
  }
  ++g_classUsers;
  return true;
}

void ReleaseEditorWindowClass() {
  if (g_classUsers <= 0) return;
  if (--g_classUsers == 0) {
    UnregisterClassA(IGraphicsWin::kWindowClassName, g_classInstance);
    g_classInstance = nullptr;
  }
}

int EditorWindowClassUsers() { return g_classUsers; }

MouseModifiers ModifiersFromKeyState(WPARAM keyState) {
  MouseModifiers mods;
  mods.left = (keyState & MK_LBUTTON) != 0;
  mods.right = (keyState & MK_RBUTTON) != 0;
  mods.shift = (keyState & MK_SHIFT) != 0;
  mods.control = (keyState & MK_CONTROL) != 0;
  mods.alt = GetKeyState(VK_MENU) < 0;
  return mods;
}

MouseModifiers ModifiersFromKeyboard() {
  MouseModifiers mods;
  mods.shift = GetKeyState(VK_SHIFT) < 0;
  mods.control = GetKeyState(VK_CONTROL) < 0;
  mods.alt = GetKeyState(VK_MENU) < 0;
  return mods;
}

}  // namespace quivorant::detail

namespace quivorant {

int IGraphicsWin::OpenWindowCount() { return detail::EditorWindowClassUsers(); }

}  // namespace quivorant
