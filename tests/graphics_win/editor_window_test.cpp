// Opening, painting, closing and resizing the editor window, the window class's life, and the
// teardown paths a host can take.
#include <gtest/gtest.h>

#include "graphics/controls/IKnobRotVal.h"
#include "raster/RasterSysBitmap.h"
#include "tests/graphics_win/EditorHost.h"
#include "tests/graphics_win/ScreenCapture.h"

namespace quivorant::test {

namespace {

bool ClassRegistered() {
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), IGraphicsWin::kWindowClassName, &wc) != 0;
}

std::uint32_t DrawPixel(IGraphicsWin* editor, int x, int y) {
  RasterSysBitmap* bitmap = editor->DrawBitmapSurface();
  return bitmap->PixelData()[y * bitmap->RowSpan() + x] & 0xFFFFFFu;
}

}  // namespace

TEST(EditorWindow, OpensAsChildAndPaintsTheDrawBitmap) {
  EditorHost host;
  HWND window = host.Open();
  ASSERT_TRUE(window);
  EXPECT_EQ(GetParent(window), host.frame);
  EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "IEffectWndClass");
  char title[32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "IEffect");
  RECT r;
  GetClientRect(window, &r);
  EXPECT_EQ(r.right, 395);
  EXPECT_EQ(r.bottom, 248);
  EXPECT_TRUE(host.editor->IsWindowOpen());
  EXPECT_EQ(host.editor->GetWindow(), window);
  EXPECT_EQ(host.editor->ParentWindow(), host.frame);

  // The first ticks paint everything (controls whose value arrived draw twice); then nothing
  // is dirty.
  host.Tick(2);
  PixelRect dirty;
  EXPECT_FALSE(host.editor->CollectDirtyRect(&dirty));

  // What the screen shows is the draw bitmap: the resource background and the controls.
  const Capture shot = CaptureClient(window);
  ASSERT_EQ(shot.width, 395);
  ASSERT_EQ(shot.height, 248);
  for (POINT p : {POINT{5, 5}, POINT{200, 240}, host.Centre(host.freqKnob), POINT{300, 45}, POINT{60, 35}}) {
    EXPECT_EQ(shot.At(p.x, p.y), DrawPixel(host.editor, p.x, p.y)) << p.x << "," << p.y;
  }
  // The drop-down shows its first-drawn frame in its own colour, not the background's.
  EXPECT_NE(shot.At(320, 45), shot.At(5, 5));
  EXPECT_TRUE(SavePng(shot, QUIVORANT_SCREENSHOT_PATH));
}

TEST(EditorWindow, ARealTimerRepaintsDirtyControlsAtTheFrameRate) {
  EXPECT_EQ(IGraphicsWin::TimerIntervalMs(24), 41u);
  EXPECT_EQ(IGraphicsWin::TimerIntervalMs(0), 41u);
  EXPECT_EQ(IGraphicsWin::TimerIntervalMs(60), 16u);
  EditorHost host;
  host.Open();
  EditorHost::Pump(300);
  PixelRect dirty;
  EXPECT_FALSE(host.editor->CollectDirtyRect(&dirty));
  host.core->GetParam(kType)->value = 2;
  host.editor->SetControlsFromParam(kType, 1.0, true);
  EXPECT_TRUE(host.editor->CollectDirtyRect(&dirty));
  EditorHost::Pump(300);
  EXPECT_FALSE(host.editor->CollectDirtyRect(&dirty));
  const Capture shot = CaptureClient(host.window);
  ASSERT_EQ(shot.width, 395);
  EXPECT_EQ(shot.At(100, 35), DrawPixel(host.editor, 100, 35));
}

TEST(EditorWindow, ClassIsRegisteredExactlyWhileAWindowIsOpen) {
  ASSERT_FALSE(ClassRegistered());
  EditorHost a;
  EditorHost b;
  a.Open();
  EXPECT_TRUE(ClassRegistered());
  b.Open();
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);
  a.editor->CloseWindow();
  EXPECT_TRUE(ClassRegistered());
  EXPECT_TRUE(IsWindow(b.window));
  b.editor->CloseWindow();
  EXPECT_FALSE(ClassRegistered());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IsWindow(a.window));
  a.Open();
  EXPECT_TRUE(ClassRegistered());
  a.editor->CloseWindow();
  EXPECT_FALSE(ClassRegistered());
}

TEST(EditorWindow, CreationFailureLeavesTheClassBalanced) {
  EditorHost host;
  // A child window needs a parent.
  EXPECT_EQ(host.editor->OpenWindow(nullptr), nullptr);
  EXPECT_FALSE(host.editor->IsWindowOpen());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(ClassRegistered());
  EXPECT_NE(host.Open(), nullptr);
}

TEST(EditorWindow, OpeningTwiceReopensInPlaceAndClosingTwiceIsHarmless) {
  EditorHost host;
  HWND first = host.Open();
  SetWindowPos(first, nullptr, 12, 34, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  HWND second = host.Open();
  ASSERT_TRUE(second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  RECT r;
  GetWindowRect(second, &r);
  POINT origin = {r.left, r.top};
  ScreenToClient(host.frame, &origin);
  EXPECT_EQ(origin.x, 12);
  EXPECT_EQ(origin.y, 34);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  host.editor->CloseWindow();
  host.editor->CloseWindow();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  // Controls and values survive; a new window paints them again.
  EXPECT_EQ(host.editor->NControls(), 5);
  host.Open();
  host.Tick(2);
  PixelRect dirty;
  EXPECT_FALSE(host.editor->CollectDirtyRect(&dirty));
}

TEST(EditorWindow, WmCloseClosesTheEditor) {
  EditorHost host;
  HWND window = host.Open();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(host.editor->IsWindowOpen());
  EXPECT_FALSE(ClassRegistered());
}

TEST(EditorWindow, DestroyingTheInstanceWithEverythingOpenLeavesNothingBehind) {
  EditorHost host;
  HWND window = host.Open();
  // A wheel gesture waiting for its end and an open entry.
  const POINT knob = EditorHost::Centre(host.freqKnob);
  host.Wheel(knob.x, knob.y, 120);
  host.editor->PromptParamEntry(host.freqKnob, host.core->GetParam(kFreq), true);
  HWND entry = static_cast<HWND>(host.editor->EntryWindow());
  ASSERT_TRUE(entry);
  host.DestroyInstance();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_FALSE(ClassRegistered());
  // Whatever the queue still holds for the dead window goes nowhere.
  PostMessageA(window, WM_TIMER, IGraphicsWin::kTimerId, 0);
  EditorHost::Pump(150);
}

TEST(EditorWindow, AHostDestroyingTheFrameFirstIsSurvived) {
  EditorHost host({}, CreateHostFrame());
  HWND window = host.Open();
  const POINT knob = EditorHost::Centre(host.freqKnob);
  host.Wheel(knob.x, knob.y, 120);
  host.editor->PromptParamEntry(host.freqKnob, host.core->GetParam(kFreq), true);
  DestroyWindow(host.frame);
  host.frame = nullptr;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(host.editor->IsWindowOpen());
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
  // The pending wheel gesture was ended when the window went.
  EXPECT_EQ(host.core->Sequence(kFreq), "wheel edit end");
  host.editor->CloseWindow();
  EXPECT_FALSE(ClassRegistered());
  EditorHost::Pump(100);
}

TEST(EditorWindow, ClosingEndsAPendingWheelGestureAtOnce) {
  EditorHost host;
  host.Open();
  const POINT knob = EditorHost::Centre(host.freqKnob);
  host.Wheel(knob.x, knob.y, 120);
  EXPECT_EQ(host.core->Count("end", kFreq), 0);
  host.editor->CloseWindow();
  EXPECT_EQ(host.core->Count("end", kFreq), 1);
  EXPECT_EQ(host.core->PendingGestureIndex(), -1);
}

TEST(EditorWindow, ResizeGrowsTheWindowAndItsFramesAndDropsAnOpenEntry) {
  EditorHost host;
  HWND window = host.Open();
  host.editor->PromptParamEntry(host.freqKnob, host.core->GetParam(kFreq), true);
  HWND entry = static_cast<HWND>(host.editor->EntryWindow());
  RECT frameBefore;
  GetWindowRect(host.frame, &frameBefore);
  host.editor->Resize(405, 268);
  EXPECT_EQ(host.core->Count("resize"), 1);
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 405);
  EXPECT_EQ(r.bottom - r.top, 268);
  // The host's frame grows with the editor; it is top-level, so nothing above it does.
  RECT frameAfter;
  GetWindowRect(host.frame, &frameAfter);
  EXPECT_EQ(frameAfter.right - frameAfter.left, frameBefore.right - frameBefore.left + 10);
  EXPECT_EQ(frameAfter.bottom - frameAfter.top, frameBefore.bottom - frameBefore.top + 20);
  SetWindowPos(host.frame, nullptr, 0, 0, frameBefore.right - frameBefore.left, frameBefore.bottom - frameBefore.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(host.editor->DrawBitmapSurface()->Width(), 405);
  // The controls went with the old size; ticks and paints without controls are quiet.
  EXPECT_EQ(host.editor->NControls(), 0);
  host.Tick(2);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

}  // namespace quivorant::test
