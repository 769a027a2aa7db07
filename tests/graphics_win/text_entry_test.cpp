// The in-place entry: typed or picked values applied at the next tick, cancelling, and the
// entry's bounds and teardown.
#include <gtest/gtest.h>

#include <string>

#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IKnobRotVal.h"
#include "tests/graphics_win/EditorHost.h"
#include "tests/graphics_win/WindowInput.h"

namespace quivorant::test {

namespace {

HWND Entry(EditorHost& host) { return static_cast<HWND>(host.editor->EntryWindow()); }

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The entry's rectangle in the editor's client coordinates.
RECT PlaceOf(HWND entry, HWND editor) {
  RECT r;
  GetWindowRect(entry, &r);
  MapWindowPoints(nullptr, editor, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Opens the numeric entry of the frequency knob with a right click, as a user does.
HWND OpenFrequencyEntry(EditorHost& host) {
  const POINT c = EditorHost::Centre(host.freqKnob);
  host.Click(c.x, c.y, true);
  host.core->calls.clear();
  return Entry(host);
}

}  // namespace

TEST(TextEntry, RightClickOnANumberOpensACompactBoxAndEnterSetsTheValueAtTheNextTick) {
  EditorHost host;
  host.Open();
  HWND entry = OpenFrequencyEntry(host);
  ASSERT_TRUE(entry);
  EXPECT_EQ(GetParent(entry), host.window);
  EXPECT_EQ(GetDlgCtrlID(entry), 99);
  char className[16] = {};
  GetClassNameA(entry, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  EXPECT_EQ(TextOf(entry), "2000");
  // Sized for "20000", the top of the range: 7 * 5 + 6 = 41 wide, 16 high, centred.
  const PixelRect& k = host.freqKnob->Rect();
  const int cx = (k.left + k.right) / 2;
  const int cy = (k.top + k.bottom) / 2;
  const RECT r = PlaceOf(entry, host.window);
  EXPECT_EQ(r.right - r.left, 41);
  EXPECT_EQ(r.bottom - r.top, 16);
  EXPECT_EQ(r.left, cx - 20);
  EXPECT_EQ(r.top, cy - 8);
  EXPECT_EQ(GetFocus(), entry);
  EXPECT_EQ(host.editor->EntryEditState(), IGraphicsWin::kEditEditing);

  SendText(entry, "1500");  // replaces the selected text
  SendEnter(entry);
  EXPECT_EQ(TextOf(entry), "1500");  // Enter is not typed into the box
  EXPECT_EQ(host.editor->EntryEditState(), IGraphicsWin::kEditCommit);
  EXPECT_EQ(host.core->Plain(kFreq), 2000.0);
  host.Tick();
  EXPECT_EQ(host.core->Plain(kFreq), 1500.0);
  // One gesture for the typed value; closing the box redraws its control and pushes nothing.
  EXPECT_EQ(host.core->Sequence(kFreq), "begin edit end");
  EXPECT_EQ(host.core->Count("begin", kFreq), 1);
  EXPECT_EQ(host.core->Count("end", kFreq), 1);
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
  EXPECT_EQ(host.editor->EntryEditState(), IGraphicsWin::kEditNone);
}

TEST(TextEntry, TextThatIsNoNumberLeavesTheValue) {
  EditorHost host;
  host.Open();
  const double before = host.core->Plain(kFreq);
  HWND entry = OpenFrequencyEntry(host);
  SendText(entry, "abc");
  SendEnter(entry);
  host.Tick();
  EXPECT_EQ(host.core->Plain(kFreq), before);
  EXPECT_EQ(host.core->Count("begin", kFreq), 0);
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
}

TEST(TextEntry, ALeftClickInTheEditorCommitsAndARightClickCancels) {
  EditorHost host;
  host.Open();
  HWND entry = OpenFrequencyEntry(host);
  SendText(entry, "300");
  host.Click(20, 230);
  EXPECT_EQ(host.editor->EntryEditState(), IGraphicsWin::kEditCommit);
  host.Tick();
  EXPECT_EQ(host.core->Plain(kFreq), 300.0);

  entry = OpenFrequencyEntry(host);
  SendText(entry, "9000");
  host.Press(20, 230, true);
  host.Release(20, 230, true);
  host.Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(host.core->Plain(kFreq), 300.0);
  EXPECT_EQ(host.core->Count("begin", kFreq), 0);
}

TEST(TextEntry, OnlyOneEntryAtATime) {
  EditorHost host;
  host.Open();
  HWND entry = OpenFrequencyEntry(host);
  host.editor->PromptParamEntry(host.targetKnob, host.core->GetParam(kTarget), true);
  EXPECT_EQ(Entry(host), entry);
  host.editor->PromptParamEntry(nullptr, host.core->GetParam(kTarget), true);
  EXPECT_EQ(Entry(host), entry);
}

TEST(TextEntry, ListParametersGetAComboBoxAndAPickCommits) {
  EditorHost host;
  host.Open();
  host.editor->PromptParamEntry(host.waveDrop, host.core->GetParam(kWave), true);
  HWND combo = Entry(host);
  ASSERT_TRUE(combo);
  char className[16] = {};
  GetClassNameA(combo, className, sizeof className);
  EXPECT_STREQ(className, "ComboBox");
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);  // "Triangle", the current wave
  // As wide as the longest text: 8 * 11 + 24 for "Sine Half 1".
  const RECT r = PlaceOf(combo, host.window);
  EXPECT_EQ(r.right - r.left, 8 * 11 + 24);

  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT item;
  ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&item)), LB_ERR);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(host.editor->EntryEditState(), IGraphicsWin::kEditCommit);
  host.Tick();
  EXPECT_EQ(host.core->Plain(kWave), 4.0);
  EXPECT_EQ(host.core->Count("begin", kWave), 1);
  EXPECT_EQ(host.core->Count("end", kWave), 1);
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
}

TEST(TextEntry, OverlongTextNeverOverflows) {
  EditorHost host;
  host.Open();
  HWND entry = OpenFrequencyEntry(host);
  // Typing stops at what the tick reads back.
  EXPECT_EQ(SendMessageA(entry, EM_GETLIMITTEXT, 0, 0), IGraphicsWin::kEntryTextCapacity - 1);
  // Text set behind the box's back is longer still; the read is cut, the value clamped.
  const std::string nines(5000, '9');
  SetWindowTextA(entry, nines.c_str());
  EXPECT_EQ(GetWindowTextLengthA(entry), 5000);
  SendEnter(entry);
  host.Tick();
  EXPECT_EQ(host.core->Plain(kFreq), 20000.0);
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
}

TEST(TextEntry, ClosingTheEditorDropsTheEntryUnapplied) {
  EditorHost host;
  host.Open();
  HWND entry = OpenFrequencyEntry(host);
  SendText(entry, "700");
  SendEnter(entry);
  host.editor->CloseWindow();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(host.editor->EntryWindow(), nullptr);
  EXPECT_EQ(host.core->Plain(kFreq), 2000.0);
  host.Open();
  host.Tick(2);
  EXPECT_EQ(host.core->Plain(kFreq), 2000.0);
  EXPECT_TRUE(host.core->calls.empty());
}

TEST(TextEntry, ANonCompactBoxCoversTheControl) {
  EditorHost host;
  host.Open();
  host.editor->PromptParamEntry(host.freqKnob, host.core->GetParam(kFreq), false);
  const RECT r = PlaceOf(Entry(host), host.window);
  const PixelRect& k = host.freqKnob->Rect();
  EXPECT_EQ(r.left, k.left);
  EXPECT_EQ(r.top, k.top);
  EXPECT_EQ(r.right, k.right);
  EXPECT_EQ(r.bottom, k.bottom);
}

}  // namespace quivorant::test
