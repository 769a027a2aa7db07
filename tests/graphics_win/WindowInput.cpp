#include "tests/graphics_win/WindowInput.h"

namespace quivorant::test {

namespace {
UINT DownMessage(bool right) { return right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN; }
UINT UpMessage(bool right) { return right ? WM_RBUTTONUP : WM_LBUTTONUP; }
WPARAM ButtonKey(bool right) { return right ? MK_RBUTTON : MK_LBUTTON; }
}  // namespace

void SendPress(HWND window, int x, int y, bool right, WPARAM extraKeys) {
  SendMessageA(window, DownMessage(right), ButtonKey(right) | extraKeys, MAKELPARAM(x, y));
}

void SendRelease(HWND window, int x, int y, bool right) { SendMessageA(window, UpMessage(right), 0, MAKELPARAM(x, y)); }

void SendClick(HWND window, int x, int y, bool right) {
  SendPress(window, x, y, right);
  SendRelease(window, x, y, right);
}

void SendMove(HWND window, int x, int y, WPARAM keys) { SendMessageA(window, WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }

void SendWheel(HWND window, int x, int y, int delta, WPARAM keys) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(short(delta))), MAKELPARAM(p.x, p.y));
}

void SendTicks(HWND window, UINT_PTR timerId, int count) {
  for (int i = 0; i < count; ++i) SendMessageA(window, WM_TIMER, timerId, 0);
}

void SendText(HWND window, const char* text) {
  for (const char* c = text; *c != '\0'; ++c) SendMessageA(window, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
}

void SendKey(HWND window, UINT virtualKey, char typed) {
  SendMessageA(window, WM_KEYDOWN, virtualKey, 1);
  if (typed != 0) SendMessageA(window, WM_CHAR, WPARAM(static_cast<unsigned char>(typed)), 1);
}

void PostClick(HWND window, int x, int y, bool right) {
  PostMessageA(window, DownMessage(right), ButtonKey(right), MAKELPARAM(x, y));
  PostMessageA(window, UpMessage(right), 0, MAKELPARAM(x, y));
}

}  // namespace quivorant::test
