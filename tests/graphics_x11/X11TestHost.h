// A small X11 host for the Linux editor tests, run under Xvfb: top-level frames the plug-ins'
// editors open in, a VST3 run loop of our own, real pointer and key events through XTest, and
// window captures. Everything runs on the test's one thread.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/Vst3Host.h"
#include "vst3/sdk/interfaces/ilinuxrunloop.h"

namespace quivorant::test {

using namespace Steinberg;

// The test's own display connection (input, captures, frames).
Display* TestDisplay();

// A host window of width x height at (x, y) on the screen; a plug-in's editor becomes its child.
class X11Frame {
public:
  X11Frame(int x, int y, int width = 395, int height = 248);
  ~X11Frame();
  X11Frame(const X11Frame&) = delete;
  X11Frame& operator=(const X11Frame&) = delete;
  void* Handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
  // The frame's children: a plug-in's windows.
  std::vector<Window> Children() const;
  Window window = 0;
};

// The run loop a VST3 host lends: descriptors and timers, served by Pump.
class TestRunLoop : public quivorant::test::HostObject<Linux::IRunLoop> {
public:
  tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler, Linux::FileDescriptor fd) override;
  tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* handler) override;
  tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms) override;
  tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* handler) override;
  // Waits up to waitMs for a registered descriptor, then serves readable descriptors and due
  // timers once.
  void Pump(int waitMs);
  std::size_t HandlerCount() const { return handlers_.size(); }
  std::size_t TimerCount() const { return timers_.size(); }

private:
  struct Handler {
    Linux::IEventHandler* handler;
    int fd;
  };
  struct Timer {
    Linux::ITimerHandler* handler;
    double period;
    double due;
  };
  std::vector<Handler> handlers_;
  std::vector<Timer> timers_;
};

// A host frame that lends its run loop, as Linux hosts do.
class RunLoopFrame : public quivorant::test::PlugFrame {
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  TestRunLoop loop;
};

// Repeats pump until condition holds or timeoutMs passed; answers the condition.
bool WaitFor(const std::function<bool()>& condition, const std::function<void()>& pump, int timeoutMs = 3000);

// Real input through XTest, in coordinates of `window`.
void MovePointer(Window window, int x, int y);
void PressButton(unsigned button, bool down);
void Click(Window window, int x, int y, unsigned button = 1);
// Holds the modifier keysym (Shift_L, Control_L) down or lets it go.
void HoldKey(KeySym modifier, bool down);
void TapKey(KeySym key);
// Types printable ASCII that needs no Shift (digits, lower-case letters, '.', '-').
void TypeText(const std::string& text);

// A window's pixels as 0xRRGGBB, top row first.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t At(int x, int y) const { return rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};
Capture CaptureWindow(Window window);
// Saves a capture as a PNG; false when it cannot be written.
bool SavePng(const Capture& capture, const std::string& path);

}  // namespace quivorant::test
