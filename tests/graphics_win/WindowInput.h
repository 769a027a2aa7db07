// What a user's mouse and keyboard make of a window, as the messages the system sends it. Each
// call is handled before it returns (SendMessage), so tests see its effects at once; coordinates
// are the window's client coordinates. Posted input that goes through the message loop instead is
// PostClick with PumpMessages (HostFrame.h).
#pragma once

#include "graphics/win/detail/WindowsApi.h"

namespace quivorant::test {

void SendPress(HWND window, int x, int y, bool right = false, WPARAM extraKeys = 0);
void SendRelease(HWND window, int x, int y, bool right = false);
void SendClick(HWND window, int x, int y, bool right = false);
void SendMove(HWND window, int x, int y, WPARAM keys = 0);
// delta in wheel units (120 per notch); the message carries the screen position, as the system's.
void SendWheel(HWND window, int x, int y, int delta, WPARAM keys = 0);
// Timer messages with the given identifier, so tests count editor ticks exactly.
void SendTicks(HWND window, UINT_PTR timerId, int count = 1);
// Typed characters (WM_CHAR each).
void SendText(HWND window, const char* text);
// A key press: WM_KEYDOWN, then the character the message loop would translate it into, if any.
void SendKey(HWND window, UINT virtualKey, char typed = 0);
inline void SendEnter(HWND window) { SendKey(window, VK_RETURN, '\r'); }
// A left or right click as the system delivers it: posted, handled by the message loop.
void PostClick(HWND window, int x, int y, bool right = false);

}  // namespace quivorant::test
