#include "tests/graphics_win/HostFrame.h"

namespace quivorant::test {

namespace {

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateHostFrame() {
  static bool registered = false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "QuivorantTestFrame";
    registered = RegisterClassA(&wc) != 0;
  }
  HWND frame = CreateWindowExA(0, "QuivorantTestFrame", "editor test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 520, 400,
                               nullptr, nullptr, instance, nullptr);
  if (frame) UpdateWindow(frame);
  return frame;
}

HWND SharedHostFrame() {
  static HWND shared = CreateHostFrame();
  return shared;
}

void PumpMessages(int ms) {
  const DWORD end = GetTickCount() + DWORD(ms);
  MSG msg;
  while (int(end - GetTickCount()) > 0) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

}  // namespace quivorant::test
