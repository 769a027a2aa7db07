// The editor as an X11 child window inside the window a Linux host gives us (the VST3 view's
// "X11EmbedWindowID" parent or the VST2 editor-open call). It is the off-screen editor plus a
// window: painting still goes to the draw bitmap and the off-screen "screen", and an open
// window also gets the presented rectangle. X events become the editor core's events; the
// value entry and the message boxes are drawn by the editor itself (EditorPrompts).
//
// The editor has no thread and no timer of its own: the host drives it from its user-interface
// thread, VST3 hosts through their run loop (the connection's descriptor and a timer of
// 1000 / FrameRate() ms: DispatchWindowEvents and TimerTick), VST2 hosts through effEditIdle
// (Idle). Each open window has its own display connection, so editors of several instances
// work independently.
#pragma once

#include <memory>
#include <string>

#include "graphics/EditorPrompts.h"
#include "graphics/IGraphicsOffscreen.h"

namespace quivorant {

class IGraphicsX11 : public IGraphicsOffscreen {
public:
  static constexpr const char* kWindowType = "X11EmbedWindowID";
  // Two presses of the left button this close in time and place make a double click.
  static constexpr unsigned long kDoubleClickMs = 400;
  static constexpr int kDoubleClickDistance = 4;

  IGraphicsX11(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsX11() override;

  bool Present(const PixelRect& rect) override;
  void Resize(int width, int height) override;
  void PromptParamEntry(IControl* control, IParamRecord* param, bool compact) override;
  bool OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) override;
  bool HostMouseWheel(float distance) override;
  // parent is an X11 window id; answers our window's id, or null when no window could be made
  // (no display, a parent that does not exist, a visual we cannot draw on).
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override;
  bool IsWindowOpen() override { return GetWindow() != nullptr; }

  const char* WindowType() const override { return kWindowType; }
  int WindowEventSource() override;
  void DispatchWindowEvents() override;
  void TimerTick() override;
  void Idle() override;

  EditorPrompts& Prompts() { return prompts_; }
  // The browser launch still waited for (its process id), or -1.

  // X event handling (IGraphicsX11Events_x11.cpp); `event` is an XEvent.
  void HandleEvent(const void* event);

  struct Connection;

protected:
  void WindowScaleChanged() override;

private:
  // A new image and window size for the editor's current window size.
  void ResizeWindow();
  // The window is open and still exists.
  bool Showing() const;
  bool LaunchBrowser(const char* url, const char* title, const char* errorText);
  void CollectBrowser();
  void ReleaseConnection();

  std::unique_ptr<Connection> x_;
  EditorPrompts prompts_;
  int browserPid_ = -1;
  std::string browserTitle_;
  std::string browserError_;
  double lastTickSeconds_ = 0.0;
};

}  // namespace quivorant
