// The built module's editor, opened through its VST3 view, driven with real window messages: a
// knob drag, a wheel burst, the filter-type buttons, the LFO target list, the pop-up list of a
// list parameter and the typed entry of a number; each as the host's component handler hears it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "tests/graphics_win/HostFrame.h"
#include "tests/graphics_win/ScreenCapture.h"
#include "tests/graphics_win/WindowInput.h"
#include "tests/vst3/editor/EditorSession.h"

namespace quivorant::test {
namespace {

using namespace quivorant::test;

constexpr ParamID kFilterType = 0, kFilterFreq = 1, kLfoTarget = 4, kLfoRate = 6;
constexpr int kLfoRates = 28;
// Positions in the editor's layout.
constexpr POINT kFreqKnob = {52, 174};  // knob rectangle 22, 154 .. 82, 210
constexpr int kFreqKnobHeight = 210 - 154;
constexpr POINT kRateKnob = {287, 174};
constexpr int kTypeButtonsLeft = 100, kTypeButtonWidth = 24, kTypeButtonsY = 118;
constexpr POINT kTargetDropDown = {300, 119};       // rectangle 271, 112 .. 343, 126
constexpr RECT kTargetList = {271, 127, 343, 172};  // opens below it: 72 x 48, four rows
constexpr int kTargetListTop = 125, kTargetListRow = 12;
constexpr int kEntryId = 99;

// "Filter Freq": 20 to 20000 Hz with exponent 2.
double FreqFromNormalized(double n) { return 20.0 + 19980.0 * n * n; }

class Vst3EditorInput : public Vst3Editor {
protected:
  void SetUp() override {
    Vst3Editor::SetUp();
    if (HasFatalFailure()) return;
    s = std::make_unique<EditorSession>(factory, frame);
    ASSERT_EQ(s->Attach(), kResultOk);
    ASSERT_NE(s->window, nullptr);
    s->Tick();
  }
  void TearDown() override {
    s.reset();
    Vst3Editor::TearDown();
  }
  std::unique_ptr<EditorSession> s;
};

// Pixels of `area` (edges included) that look alike in both captures, as a share.
double SameShare(const Capture& a, const Capture& b, const RECT& area) {
  int same = 0, all = 0;
  for (int y = area.top; y <= area.bottom; ++y)
    for (int x = area.left; x <= area.right; ++x, ++all) same += NearColour(a.At(x, y), b.At(x, y)) ? 1 : 0;
  return all > 0 ? double(same) / all : 0.0;
}

// The smallest rectangle holding every pixel that differs (right and bottom exclusive).
RECT ChangedArea(const Capture& a, const Capture& b) {
  RECT r = {a.width, a.height, 0, 0};
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (!NearColour(a.At(x, y), b.At(x, y))) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

TEST_F(Vst3EditorInput, AVerticalDragOnFilterFreqIsOneGestureOfTheHost) {
  const double before = s->Normalized(kFilterFreq);
  // As the system delivers them: posted, through the message loop.
  PostMessageA(s->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kFreqKnob.x, kFreqKnob.y));
  for (int i = 1; i <= 10; ++i)
    PostMessageA(s->window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kFreqKnob.x, kFreqKnob.y - 4 * i));
  PostMessageA(s->window, WM_LBUTTONUP, 0, MAKELPARAM(kFreqKnob.x, kFreqKnob.y - 40));
  PumpMessages(300);
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");
  const std::vector<ParamValue> performed = s->Performed(kFilterFreq);
  // One value for each move, and the release pushes the last one again.
  ASSERT_EQ(performed.size(), 11u);
  EXPECT_TRUE(std::is_sorted(performed.begin(), performed.end()));
  EXPECT_EQ(performed[10], performed[9]);
  // Gearing 4: 40 pixels up over a 56-pixel knob moves the value by 40 / (56 x 4).
  const double expected = before + 40.0 / (kFreqKnobHeight * 4.0);
  EXPECT_NEAR(s->Plain(kFilterFreq), FreqFromNormalized(expected), 1.0);
  EXPECT_NEAR(performed.back(), s->Normalized(kFilterFreq), 1e-3);
  // Moving without a button only hovers.
  s->handler.calls.clear();
  SendMove(s->window, kFreqKnob.x + 2, kFreqKnob.y);
  SendMove(s->window, 10, 240);
  EXPECT_TRUE(s->handler.calls.empty());
}

TEST_F(Vst3EditorInput, AWheelBurstIsOneGestureEndingHalfASecondAfterTheLastNotch) {
  const double before = s->Normalized(kFilterFreq);
  for (int notch = 0; notch < 3; ++notch) {
    if (notch > 0) s->Tick(5);
    SendWheel(s->window, kFreqKnob.x, kFreqKnob.y, 120);
  }
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p");
  EXPECT_EQ(s->Performed(kFilterFreq).size(), 3u);
  EXPECT_NEAR(s->Normalized(kFilterFreq), before + 0.03, 2e-3);  // 0.01 a notch, on whole hertz
  // 24 frames a second: the end comes with the twelfth tick after the last notch.
  s->Tick(11);
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p");
  s->Tick();
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");
  s->Tick(20);
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");

  // The editor's own timer: the end follows the last notch after about half a second.
  s->handler.calls.clear();
  SendWheel(s->window, kFreqKnob.x, kFreqKnob.y, -120);
  const DWORD start = GetTickCount();
  while (s->Gestures(kFilterFreq) != "b p e" && GetTickCount() - start < 3000) PumpMessages(10);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");
  EXPECT_GE(elapsed, 400u);
  EXPECT_LE(elapsed, 1500u);
}

TEST_F(Vst3EditorInput, AClickOnAFilterTypeButtonSelectsIt) {
  EXPECT_EQ(s->Display(kFilterType), "Highpass");
  PostClick(s->window, kTypeButtonsLeft + 2 * kTypeButtonWidth + 12, kTypeButtonsY);
  PumpMessages(150);
  EXPECT_EQ(s->Gestures(kFilterType), "b p e");
  EXPECT_EQ(s->Normalized(kFilterType), 1.0);
  EXPECT_EQ(s->Display(kFilterType), "Bandpass");
  SendClick(s->window, kTypeButtonsLeft + 12, kTypeButtonsY);
  EXPECT_EQ(s->Normalized(kFilterType), 0.0);
  EXPECT_EQ(s->Display(kFilterType), "Lowpass");
}

TEST_F(Vst3EditorInput, TheLfoTargetListOpensPicksAnEntryAndCloses) {
  EXPECT_EQ(s->Display(kLfoTarget), "No Assign");
  const Capture closed = CaptureClient(s->window);
  SendClick(s->window, kTargetDropDown.x, kTargetDropDown.y);
  s->Tick();
  const Capture open = CaptureClient(s->window);
  EXPECT_LT(SameShare(closed, open, kTargetList), 0.5);  // the list covers the background

  // Third of the four rows: "Filter Bandwidth", value 2 / 3; it reaches the host when the
  // drop-down next draws.
  SendClick(s->window, kTargetDropDown.x, kTargetListTop + 2 * kTargetListRow + 6);
  s->Tick();
  EXPECT_NEAR(s->Normalized(kLfoTarget), 2.0 / 3.0, 1e-9);
  EXPECT_EQ(s->Display(kLfoTarget), "Filter Bandwidth");
  const std::vector<ParamValue> performed = s->Performed(kLfoTarget);
  ASSERT_FALSE(performed.empty());
  EXPECT_NEAR(performed.back(), 2.0 / 3.0, 1e-9);
  const Capture picked = CaptureClient(s->window);
  EXPECT_GT(SameShare(closed, picked, kTargetList), 0.99);  // the list has gone
}

TEST_F(Vst3EditorInput, ARightClickOnLfoRateOpensItsPopupListAndAClickPicks) {
  // "1/8" (the fourth rate) current, so the list opens scrolled to its top, "1/8T" second.
  ASSERT_EQ(s->session.controller->setParamNormalized(kLfoRate, 3.0 / (kLfoRates - 1)), kResultOk);
  SendMove(s->window, kRateKnob.x, kRateKnob.y);
  s->Tick();
  const Capture before = CaptureClient(s->window);
  SendClick(s->window, kRateKnob.x, kRateKnob.y, true);
  s->Tick();
  const Capture open = CaptureClient(s->window);
  const RECT list = ChangedArea(before, open);
  // Seven visible rows (28 entries) beside a scroll bar, 70 pixels of text column, over the
  // knob and kept 6 pixels inside the editor.
  ASSERT_GT(list.right, list.left);
  EXPECT_EQ((list.bottom - list.top) % 7, 0) << list.bottom - list.top;
  const int row = (list.bottom - list.top) / 7;
  EXPECT_GE(row, 18);
  EXPECT_EQ(list.right - list.left, 70 + 4 + 9 + 2);
  EXPECT_LE(list.left, kRateKnob.x - 20);
  EXPECT_GE(list.right, kRateKnob.x + 20);
  EXPECT_EQ(list.bottom, 248 - 6);

  s->handler.calls.clear();
  SendClick(s->window, list.left + 25, list.top + row + row / 2);
  EXPECT_EQ(s->Gestures(kLfoRate), "b p e");
  EXPECT_NEAR(s->Normalized(kLfoRate), 1.0 / (kLfoRates - 1), 1e-9);
  EXPECT_EQ(s->Display(kLfoRate), "1/8T");
  s->Tick();
  const Capture after = CaptureClient(s->window);
  // The list has closed: what it covered shows the background again.
  const RECT outsideKnob = {list.left, list.top, list.right - 1, 150};
  EXPECT_GT(SameShare(before, after, outsideKnob), 0.99);
}

TEST_F(Vst3EditorInput, ARightClickOnFilterFreqOpensTheEntryAndEnterSetsTheTypedValue) {
  SendClick(s->window, kFreqKnob.x, kFreqKnob.y, true);
  const HWND entry = GetDlgItem(s->window, kEntryId);
  ASSERT_NE(entry, nullptr);
  char className[16] = {};
  GetClassNameA(entry, className, sizeof className);
  EXPECT_STRCASEEQ(className, "Edit");
  const double before = s->Plain(kFilterFreq);
  s->handler.calls.clear();
  SendText(entry, "1500");
  SendEnter(entry);
  // The value waits for the editor's next tick.
  EXPECT_EQ(s->Plain(kFilterFreq), before);
  EXPECT_TRUE(s->handler.calls.empty());
  s->Tick();
  EXPECT_NEAR(s->Plain(kFilterFreq), 1500.0, 1e-6);
  EXPECT_EQ(s->Display(kFilterFreq), "1500");
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");
  EXPECT_FALSE(IsWindow(entry));
}

}  // namespace
}  // namespace quivorant::test
