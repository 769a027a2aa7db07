// A test host for the editor window: a top-level frame like a host's plug-in window, a test core
// with an IGraphicsWin laid out with real controls over bitmaps made in memory (and the product's
// background image from the resources), and helpers that drive the editor with window messages.
// Ticks are delivered as WM_TIMER messages by hand, so tests count them exactly; Pump runs the
// real message loop (and the real timer) for a while.
#pragma once

#include "graphics/win/detail/WindowsApi.h"

#include "graphics/win/IGraphicsWin.h"
#include "tests/graphics_win/HostFrame.h"
#include "tests/support/FakeCore.h"

namespace quivorant {
class IDropDown;
class IKnobRotVal;
class IRadioButtons;
}  // namespace quivorant

namespace quivorant::test {

// The test core's parameters, shaped like the effect's.
enum WinTestParam : int { kType = 0, kFreq = 1, kWave = 2, kTarget = 3, kDepth = 4, kWinTestParams = 5 };

struct EditorOptions {
  bool tooltips = false;
  bool mouseOver = true;
};

class EditorHost {
public:
  // frame: the host's window to open in; the shared frame when none.
  explicit EditorHost(EditorOptions options = {}, HWND frame = nullptr);
  ~EditorHost();
  EditorHost(const EditorHost&) = delete;
  EditorHost& operator=(const EditorHost&) = delete;

  // Opens the editor in the frame; fails the test when no window comes back.
  HWND Open();
  // Deletes the core and with it the editor, as a host's release does.
  void DestroyInstance();

  void Press(int x, int y, bool right = false, WPARAM extraKeys = 0);
  void Release(int x, int y, bool right = false);
  void Move(int x, int y, WPARAM keys = 0);
  // delta in wheel units (120 per notch) at client position (x, y).
  void Wheel(int x, int y, int delta, WPARAM keys = 0);
  void Click(int x, int y, bool right = false) {
    Press(x, y, right);
    Release(x, y, right);
  }
  void Tick(int count = 1);
  // Runs the message loop for ms milliseconds.
  static void Pump(int ms);

  static POINT Centre(const IControl* control);

  FakeCore* core = nullptr;
  IGraphicsWin* editor = nullptr;
  HWND frame = nullptr;
  HWND window = nullptr;
  IKnobRotVal* freqKnob = nullptr;
  IKnobRotVal* targetKnob = nullptr;
  IRadioButtons* typeButtons = nullptr;
  IDropDown* waveDrop = nullptr;
};

}  // namespace quivorant::test
