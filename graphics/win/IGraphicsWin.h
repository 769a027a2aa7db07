// The editor as a Windows child window inside the frame a host gives us (the VST3 view's parent
// or the VST2 editor-open call). It turns window messages into the editor core's events, drives
// redraw and the deferred end of wheel gestures from one timer, copies the off-screen draw bitmap
// to the screen, shows tooltips, runs the in-place value entry and the system dialogs, and loads
// the editor's PNGs from the module's resources.
//
// Walkthrough, as a front end drives it (host user-interface thread only):
//   construct    new IGraphicsWin(plug, w, h, fps); SetModuleInstance(module handle)
//   attach       plug->AttachGraphics(editor)        the core owns the editor from here on
//   open         OpenWindow(parentHwnd) -> our HWND  again while open: reopens in place
//   close        CloseWindow()                       harmless when already closed
//   destroy      by the core; a window still open is closed first
//
// Window handles are kept as void* so that this header can be included without <windows.h>.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/IGraphics.h"

namespace quivorant {

class IGraphicsWin : public IGraphics {
public:
  // What the user last did in an open in-place entry; the timer acts on it.
  enum EditState : int { kEditNone = 0, kEditEditing = 1, kEditCancel = 2, kEditCommit = 3 };

  static constexpr unsigned kTimerId = 2;
  static constexpr int kEntryControlId = 99;
  // Text read back from an entry: at most kEntryTextCapacity - 1 characters.
  static constexpr int kEntryTextCapacity = 1000;
  static constexpr const char* kWindowClassName = "IEffectWndClass";

  IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate = 0);
  ~IGraphicsWin() override;

  // The module whose resources and window class the editor uses (HINSTANCE). Defaults to the
  // module this code is linked into.
  void SetModuleInstance(void* instance) { moduleInstance_ = instance; }

  bool Present(const PixelRect& rect) override;
  void Resize(int width, int height) override;
  bool IsWindowOpen() override { return editorWindow_ != nullptr; }
  void PromptTextEntry(IControl* control) override;
  void PromptParamEntry(IControl* control, IParamRecord* param, bool compact) override;
  void GetHostDirectory(char* out) override;
  void GetPluginDirectory(char* out) override;
  void PromptForFile(char* fileName, int action, const char* directory, const char* extensions) override;
  bool PromptForColor(ArgbColor* colour, const char* title) override;
  bool OpenUrl(const char* url, const char* title, const char* confirmText, const char* errorText) override;
  bool HostMouseWheel(float distance) override;
  // Creates the editor window as a child of parent (an HWND) and returns it, or null.
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return editorWindow_; }
  const char* WindowType() const override { return "HWND"; }
  void HideTooltipIfDisabled() override;
  RasterBitmap* LoadBitmapResource(int key, const char* fileName) override;

  // State, for front ends and tests.
  void* ParentWindow() const { return parentWindow_; }
  void* TooltipWindow() const { return tooltipWindow_; }
  void* EntryWindow() const { return entryWindow_; }
  int EntryEditState() const { return editState_; }
  bool TooltipShown() const { return tooltipShown_; }
  int TooltipControl() const { return tooltipControl_; }
  // Timer period for a frame rate (the integer part of 1000 / rate; 24 per second when not
  // positive).
  static unsigned TimerIntervalMs(int frameRate);
  // Editors of this module holding the window class (each from OpenWindow to CloseWindow); the
  // class is registered exactly while this is above zero.
  static int OpenWindowCount();

  // Entry points of the window procedures (window-procedure files only).
  void OnWindowCreated(void* window);
  std::intptr_t HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  std::intptr_t HandleEntryMessage(void* entry, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

protected:
  void WindowScaleChanged() override;

private:
  // Takes the scale of the window's monitor (dpi, or asked of the system when 0) unless the host
  // gave one, and asks the host to resize when the size changed.
  void FollowMonitorScale(int dpi = 0);
  void OnTimerTick();
  void ApplyOrDropEntry();
  void InvalidateAndUpdate(const PixelRect& rect);
  void OnMouseMoveMessage(int x, int y, const MouseModifiers& mods, bool buttonDown);
  void OnWindowDestroyed();
  void CreateTooltip();
  void ShowTooltip();
  void HideTooltip();
  void SetTooltipText(const char* text);
  // Closes an open entry: without applying anything; destroyWindow false when the system is
  // already destroying it with the editor window.
  void ForgetEntry(bool destroyWindow);
  // Closes the entry after the timer has acted on it (the control is told and redrawn).
  void CloseEntry();
  void CreateEntry(IControl* control, IParamRecord* param, bool compact);
  void CloseWindowInternal(bool flushGesture);
  void ReleaseWindowClass();

  void* moduleInstance_ = nullptr;
  void* editorWindow_ = nullptr;
  void* tooltipWindow_ = nullptr;
  void* entryWindow_ = nullptr;
  IControl* entryControl_ = nullptr;
  IParamRecord* entryParam_ = nullptr;
  void* entryFont_ = nullptr;
  int editState_ = kEditNone;
  bool tooltipShown_ = false;
  int tooltipControl_ = -1;
  // This editor counts towards the window class's users (from OpenWindow until the window is
  // closed through us).
  bool holdsWindowClass_ = false;
  std::unique_ptr<std::uint32_t[]> customColours_;
  void* parentWindow_ = nullptr;
};

}  // namespace quivorant
