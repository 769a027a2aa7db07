// The attached editor as the core sees it. The editor framework's IGraphics implements this;
// the core never includes graphics/ and talks to its editor only through these calls.
//
// Every call arrives on the host's user-interface thread, or on the audio thread with the
// instance lock held (parameter changes from the host during processing).
#pragma once

namespace quivorant {

class IEditorConnection {
public:
  // The core owns an attached editor and deletes it through this destructor, before anything
  // else of the instance is torn down.
  virtual ~IEditorConnection() = default;

  // Moves every control bound to parameter `index` to `value`; a plain value when
  // `normalized` is false (the editor converts it with the parameter's own normalisation).
  virtual void SetControlsFromParam(int index, double value, bool normalized) = 0;

  // Creates the off-screen drawing surface; the core calls it once, after pushing every
  // parameter value into the controls.
  virtual void PrepareDraw() = 0;

  // Timer ticks per second of the editor window.
  virtual int FrameRate() const = 0;

  // Starts (or restarts) the countdown after which the window calls the core's
  // FlushDeferredGesture; ClearWheelGestureTicks stops it.
  virtual void SetWheelGestureTicks(int ticks) = 0;
  virtual void ClearWheelGestureTicks() = 0;

  // Editor size in layout units.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The window's size in physical pixels at the editor's scale (the front ends report it to hosts).
  virtual int WindowWidth() const { return Width(); }
  virtual int WindowHeight() const { return Height(); }

  // Scale. The host's (or the screen's) content factor; true when the window size changed and
  // the host should be asked to resize. The user's chosen size in percent, 0 while none is chosen;
  // restoring it changes the size the host reads next, without asking the host.
  virtual bool SetContentScale(double factor) {
    (void)factor;
    return false;
  }
  virtual int ChosenScale() const { return 0; }
  virtual void RestoreChosenScale(int percent) { (void)percent; }

  // The editor's window inside a host's `parent` window (user-interface thread only). Open
  // answers the window, or null where none can be made; opening again moves it; closing a
  // closed editor does nothing. GetWindow answers the open window or null.
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* GetWindow() = 0;

  // A wheel turn a host forwards to the editor; true when the editor took it.
  virtual bool HostMouseWheel(float distance) = 0;

  // The kind of parent window OpenWindow takes, in the VST3 platform-type names ("HWND",
  // "X11EmbedWindowID"), or null where the editor has no window to open: the front ends then
  // offer hosts no editor at all, since a host would open an empty frame for it.
  virtual const char* WindowType() const { return nullptr; }

  // Window systems whose events reach us through the host's loop (X11) rather than a window
  // procedure. While the window is open: the descriptor to watch (-1 when there is none), what
  // to do when it is readable, and the timer tick the host runs every 1000 / FrameRate() ms.
  virtual int WindowEventSource() { return -1; }
  virtual void DispatchWindowEvents() {}
  virtual void TimerTick() {}
  // For hosts that only idle the editor (VST2 effEditIdle): pending events, then a timer tick
  // when one is due by the clock.
  virtual void Idle() {}
};

}  // namespace quivorant
