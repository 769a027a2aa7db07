// What an open X11 editor window holds: its own display connection, the window, a graphics
// context and one window-sized image the dirty rectangles are converted into before they go to
// the server. Only the X11 editor's files include this (it pulls in Xlib).
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "graphics/x11/IGraphicsX11.h"

namespace quivorant {

struct IGraphicsX11::Connection {
  Display* display = nullptr;
  Window window = 0;
  Window parent = 0;
  GC gc = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  XImage* image = nullptr;
  // Channel positions of the window's visual, for the conversion from our ARGB pixels.
  int redShift = 16, greenShift = 8, blueShift = 0;
  // 32-bit pixels with 8-bit channels: rows are written directly, else pixel by pixel.
  bool direct = true;
  // The window was destroyed with the host's: nothing is drawn into it any more.
  bool gone = false;
  // The pointer's press state, for drags and double clicks.
  bool dragging = false;
  Time lastPress = 0;
  int lastPressX = -1000, lastPressY = -1000;
  int pointerX = 0, pointerY = 0;
};

namespace x11 {

// Collects the X errors of our own requests while it lives, instead of the process's handler
// (Xlib's default one ends the process, and a host may destroy our parent before closing us).
// Everything runs on the host's user-interface thread.
class ErrorTrap {
public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  // Waits for the server's answers, then tells whether any request failed.
  bool Failed();

private:
  Display* display_;
  XErrorHandler previous_;
  int errorsBefore_;
};

}  // namespace x11
}  // namespace quivorant
