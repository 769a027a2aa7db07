// Mouse, wheel, keys and tooltips reaching real controls through the window procedure, with the
// gesture calls a host sees.
#include <gtest/gtest.h>

#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IDropDownChild.h"
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/IRadioButtons.h"
#include "graphics/controls/PromptPopup.h"
#include "graphics/win/KeyMapping.h"
#include "tests/graphics_win/EditorHost.h"

namespace quivorant::test {

TEST(EditorInput, VerticalDragOnAKnobIsOneGesture) {
  EditorHost host;
  host.Open();
  host.Tick();
  const POINT c = EditorHost::Centre(host.freqKnob);
  const double before = host.freqKnob->Value();
  host.Press(c.x, c.y);
  EXPECT_EQ(GetCapture(), host.window);
  for (int i = 1; i <= 10; ++i) host.Move(c.x, c.y - 3 * i, MK_LBUTTON);
  // The capture keeps the drag going outside the editor.
  host.Move(c.x, -40, MK_LBUTTON);
  host.Release(c.x, -40);
  EXPECT_NE(GetCapture(), host.window);
  EXPECT_EQ(host.core->Sequence(kFreq), "begin edit end");
  EXPECT_GT(host.freqKnob->Value(), before);
  // The last value the host heard is what the parameter holds.
  ASSERT_FALSE(host.core->Edits().empty());
  const std::pair<int, double> lastEdit = host.core->Edits().back();
  EXPECT_EQ(lastEdit.first, kFreq);
  EXPECT_NEAR(host.core->GetParam(kFreq)->FromNormalized(lastEdit.second), host.core->Plain(kFreq), 1.0);
  EXPECT_GT(host.core->Plain(kFreq), 2000.0);
  // Moving without a button only hovers: no gesture.
  host.core->calls.clear();
  host.Move(c.x + 1, c.y);
  host.Move(10, 230);
  EXPECT_EQ(host.core->calls.size(), static_cast<std::size_t>(host.core->Count("hover")));
}

TEST(EditorInput, DragMessagesWithoutTheCaptureAreIgnored) {
  EditorHost host;
  host.Open();
  const POINT c = EditorHost::Centre(host.freqKnob);
  host.Press(c.x, c.y);
  ReleaseCapture();
  host.Move(c.x, c.y - 30, MK_LBUTTON);
  EXPECT_EQ(host.core->Count("edit", kFreq), 0);
  host.Release(c.x, c.y - 30);
}

TEST(EditorInput, AWheelBurstIsOneGestureEndingHalfASecondAfterTheLastNotch) {
  EditorHost host;
  host.Open();
  const POINT c = EditorHost::Centre(host.freqKnob);
  const double before = host.freqKnob->Value();
  for (int i = 0; i < 3; ++i) {
    if (i > 0) host.Tick(5);
    host.Wheel(c.x, c.y, 120);
  }
  EXPECT_EQ(host.core->Count("wheel", kFreq), 3);
  EXPECT_EQ(host.core->Count("end", kFreq), 0);
  EXPECT_NEAR(host.freqKnob->Value(), before + 0.03, 1e-9);
  // 24 frames per second: the end comes on the twelfth tick after the last notch.
  EXPECT_EQ(host.editor->WheelGestureTicksLeft(), 12);
  host.Tick(11);
  EXPECT_EQ(host.core->Count("end", kFreq), 0);
  host.Tick();
  EXPECT_EQ(host.core->Count("end", kFreq), 1);
  EXPECT_EQ(host.core->Sequence(kFreq), "wheel edit wheel edit wheel edit end");
  host.Tick(20);
  EXPECT_EQ(host.core->Count("end", kFreq), 1);
}

TEST(EditorInput, TheRealTimerEndsTheWheelGestureAfterAboutHalfASecond) {
  EditorHost host;
  host.Open();
  const POINT c = EditorHost::Centre(host.freqKnob);
  host.Wheel(c.x, c.y, -240);
  const DWORD start = GetTickCount();
  DWORD ended = 0;
  while (GetTickCount() - start < 3000 && !ended) {
    EditorHost::Pump(10);
    if (host.core->Count("end", kFreq) == 1) ended = GetTickCount() - start;
  }
  ASSERT_GT(ended, 0u);
  EXPECT_GE(ended, 400u);
  EXPECT_LE(ended, 1500u);
}

TEST(EditorInput, WheelNotchesAreWholeMultiplesOf120) {
  EditorHost host;
  host.Open();
  const POINT c = EditorHost::Centre(host.freqKnob);
  const double before = host.freqKnob->Value();
  // A high-resolution wheel: the control still hears of it, with zero notches.
  host.Wheel(c.x, c.y, 40);
  EXPECT_EQ(host.core->Count("wheel", kFreq), 1);
  EXPECT_DOUBLE_EQ(host.freqKnob->Value(), before);
  host.Wheel(c.x, c.y, -360);
  EXPECT_NEAR(host.freqKnob->Value(), before - 0.03, 1e-9);
  // Shift makes it fine.
  host.Wheel(c.x, c.y, 120, MK_SHIFT);
  EXPECT_NEAR(host.freqKnob->Value(), before - 0.029, 1e-9);
}

TEST(EditorInput, ClickOnARadioButtonSelectsIt) {
  EditorHost host;
  host.Open();
  host.Click(40 + 60, 36);  // third of three 24-pixel buttons
  EXPECT_EQ(host.core->Plain(kType), 2.0);
  EXPECT_EQ(host.core->Sequence(kType), "begin edit end");
  host.Click(40 + 30, 36);
  EXPECT_EQ(host.core->Plain(kType), 1.0);
}

TEST(EditorInput, DropDownOpensPicksAnEntryAndCloses) {
  EditorHost host;
  host.Open();
  host.Tick();
  EXPECT_EQ(host.core->Plain(kWave), 1.0);
  host.Click(320, 45);
  ASSERT_TRUE(host.waveDrop->IsOpen());
  IDropDownChild* list = host.waveDrop->List();
  ASSERT_TRUE(list);
  EXPECT_FALSE(list->IsHidden());
  host.Tick();
  // Fourth of six 12-pixel rows.
  const PixelRect& r = list->Rect();
  host.Click(r.left + 10, r.top + 3 * 12 + 6);
  EXPECT_TRUE(list->IsHidden());
  // The drop-down tells the core when it next draws.
  host.Tick();
  EXPECT_EQ(host.core->Plain(kWave), 3.0);
  EXPECT_FALSE(host.waveDrop->IsOpen());
}

TEST(EditorInput, RightClickOnAListParameterOpensThePopupAndAClickPicks) {
  EditorHost host;
  host.Open();
  const POINT c = EditorHost::Centre(host.targetKnob);
  host.Click(c.x, c.y, true);
  auto* popup = dynamic_cast<PromptPopup*>(host.editor->PopupControl());
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->EntryCount(), 4);
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
  host.Tick();
  host.core->calls.clear();
  const PixelRect& r = popup->Rect();
  host.Click((r.left + r.right) / 2, r.top + 2 * popup->RowHeight() + popup->RowHeight() / 2);
  EXPECT_EQ(host.editor->PopupControl(), nullptr);
  EXPECT_EQ(host.core->Plain(kTarget), 2.0);
  // The pick is one gesture (the release then lands on the knob beneath the closed list).
  EXPECT_EQ(host.core->Sequence(kTarget).substr(0, 14), "begin edit end");
  EXPECT_EQ(host.core->Count("begin", kTarget), 1);
}

TEST(EditorInput, KeysGoToTheControlUnderThePointerAndOthersAreSwallowed) {
  EXPECT_EQ(KeyCodeForVirtualKey(VK_SPACE), 0);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_UP), 1);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_DOWN), 2);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_LEFT), 3);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_RIGHT), 4);
  EXPECT_EQ(KeyCodeForVirtualKey('0'), 6);
  EXPECT_EQ(KeyCodeForVirtualKey('9'), 15);
  EXPECT_EQ(KeyCodeForVirtualKey('A'), 16);
  EXPECT_EQ(KeyCodeForVirtualKey('Z'), 41);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_NUMPAD1), 16);
  EXPECT_EQ(KeyCodeForVirtualKey(VK_F11), 41);
  for (unsigned vk : {unsigned(VK_TAB), unsigned(VK_ESCAPE), unsigned(VK_NUMPAD0), unsigned(VK_F12), unsigned(VK_SHIFT),
                      unsigned(VK_RETURN)}) {
    EXPECT_EQ(KeyCodeForVirtualKey(vk), -1) << vk;
  }
  EditorHost host;
  host.Open();
  for (WPARAM vk : {WPARAM(VK_TAB), WPARAM(VK_ESCAPE), WPARAM('A')}) {
    EXPECT_EQ(SendMessageA(host.window, WM_KEYDOWN, vk, 0), 0);
  }
  EXPECT_TRUE(host.core->calls.empty());
  EXPECT_TRUE(host.editor->IsWindowOpen());
}

TEST(EditorInput, TooltipFollowsTheHoveredControl) {
  EditorHost host(EditorOptions{true, true});
  host.Open();
  ASSERT_TRUE(host.editor->TooltipWindow());
  char className[32] = {};
  GetClassNameA(static_cast<HWND>(host.editor->TooltipWindow()), className, sizeof className);
  EXPECT_STREQ(className, "tooltips_class32");
  const POINT c = EditorHost::Centre(host.freqKnob);
  host.Move(c.x, c.y);
  EXPECT_EQ(host.editor->TooltipControl(), 1);
  SendMessageA(host.window, WM_MOUSEHOVER, 0, MAKELPARAM(c.x, c.y));
  EXPECT_TRUE(host.editor->TooltipShown());
  host.Press(c.x, c.y);
  EXPECT_FALSE(host.editor->TooltipShown());
  host.Release(c.x, c.y);
  // A control without a tooltip shows none.
  const POINT t = EditorHost::Centre(host.targetKnob);
  host.Move(t.x, t.y);
  SendMessageA(host.window, WM_MOUSEHOVER, 0, MAKELPARAM(t.x, t.y));
  EXPECT_FALSE(host.editor->TooltipShown());
  SendMessageA(host.window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(host.editor->HoveredControl(), -1);
  host.editor->CloseWindow();
  EXPECT_EQ(host.editor->TooltipWindow(), nullptr);
}

TEST(EditorInput, HostWheelIsRefusedWhenThePointerIsElsewhere) {
  EditorHost host;
  HWND window = host.Open();
  RECT r;
  GetWindowRect(window, &r);
  SetCursorPos(r.right + 50, r.bottom + 50);
  EXPECT_FALSE(host.editor->HostMouseWheel(1.0f));
  EXPECT_TRUE(host.core->calls.empty());
  const POINT c = EditorHost::Centre(host.freqKnob);
  SetCursorPos(r.left + c.x, r.top + c.y);
  POINT now;
  GetCursorPos(&now);
  if (WindowFromPoint(now) == window) {
    const double before = host.freqKnob->Value();
    EXPECT_TRUE(host.editor->HostMouseWheel(2.0f));
    EXPECT_NEAR(host.freqKnob->Value(), before + 0.02, 1e-9);
  }
}

}  // namespace quivorant::test
