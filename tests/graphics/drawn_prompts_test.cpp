// The prompts the editor draws itself (the X11 window's): the value entry's editing, where it
// sits, how its decision reaches the core at the timer's Settle, and the message box.
#include <memory>

#include "graphics/EditorPrompts.h"
#include "plug/IParamRecord.h"
#include "tests/graphics/ControlFixture.h"

namespace quivorant::test {
namespace {

constexpr int kFreq = 1;

class DrawnPrompts : public ControlFixture {
protected:
  void SetUp() override {
    ControlFixture::SetUp();
    knob = new ProbeControl(&journal, "knob", PixelRect(22, 154, 82, 210), &core, kFreq);
    editor->AttachControl(knob);
    Attach();
    prompts = std::make_unique<EditorPrompts>(*editor);
  }
  IEntryBox* OpenEntry() {
    prompts->OpenEntry(knob, core.GetParam(kFreq), true);
    return prompts->Entry();
  }
  std::vector<std::string> journal;
  ProbeControl* knob = nullptr;
  std::unique_ptr<EditorPrompts> prompts;
};

TEST_F(DrawnPrompts, TheEntryEditsLikeATextBox) {
  IEntryBox box(&core, PixelRect(0, 0, 60, 16), nullptr, nullptr, "2000");
  EXPECT_EQ(box.SelectionStart(), 0);  // all selected: typing replaces
  EXPECT_EQ(box.SelectionEnd(), 4);
  box.TypeText("15\t0x");  // control characters are not typed
  EXPECT_EQ(box.Text(), "150x");
  box.PressKey(EntryKey::kBackspace, false);
  box.PressKey(EntryKey::kHome, false);
  box.PressKey(EntryKey::kDelete, false);
  EXPECT_EQ(box.Text(), "50");
  box.PressKey(EntryKey::kEnd, true);  // Shift extends the selection
  box.TypeText("9");
  EXPECT_EQ(box.Text(), "9");
  box.PressKey(EntryKey::kLeft, false);
  box.TypeText("1");
  EXPECT_EQ(box.Text(), "19");
  box.PressKey(EntryKey::kSelectAll, false);
  EXPECT_EQ(box.SelectionEnd() - box.SelectionStart(), 2);
  box.TypeText(std::string(1200, '7').c_str());
  EXPECT_EQ(int(box.Text().size()), IEntryBox::kTextCapacity);
  box.PressKey(EntryKey::kEnter, false);
  EXPECT_EQ(box.Decided(), IEntryBox::kCommit);
  box.TypeText("8");  // decided: nothing changes any more
  EXPECT_EQ(int(box.Text().size()), IEntryBox::kTextCapacity);
}

TEST_F(DrawnPrompts, ACompactEntryIsCentredAndSizedForTheTopOfTheRange) {
  IEntryBox* entry = OpenEntry();
  ASSERT_NE(entry, nullptr);
  // "20000" at the top: 7 x 5 + 6 = 41 pixels, 16 high, centred on (52, 182).
  EXPECT_EQ(entry->Rect(), PixelRect(52 - 20, 182 - 8, 52 - 20 + 41, 182 + 8));
  EXPECT_EQ(editor->GetControl(editor->NControls() - 1), entry);
  prompts->OpenEntry(knob, core.GetParam(kFreq), true);  // one at a time
  EXPECT_EQ(prompts->Entry(), entry);
}

TEST_F(DrawnPrompts, ACommitReachesTheCoreAtSettleAsOneGesture) {
  IEntryBox* entry = OpenEntry();
  prompts->TypeText("1500");
  prompts->PressKey(EntryKey::kEnter, false);
  EXPECT_TRUE(core.Log().empty());  // nothing from inside the key event
  prompts->Settle();
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 1", "edit 1", "end 1"}));
  EXPECT_EQ(prompts->Entry(), nullptr);
  EXPECT_EQ(editor->IndexOf(entry), -1);
  EXPECT_NEAR(knob->Value(), core.GetParam(kFreq)->ToNormalized(1500.0), 1e-12);

  // A left click outside commits, a right click anywhere cancels, losing the focus commits.
  OpenEntry();
  prompts->PointerPressed(60, 180, false);  // inside the entry: only moves the caret
  EXPECT_EQ(prompts->Entry()->Decided(), IEntryBox::kUndecided);
  prompts->PointerPressed(300, 20, true);
  core.Clear();
  prompts->Settle();
  EXPECT_TRUE(core.Log().empty());
  OpenEntry();
  prompts->FocusLost();
  prompts->Settle();
  EXPECT_EQ(core.Count("end", 1), 1);
}

TEST_F(DrawnPrompts, ClosingTheWindowDropsEverythingUnapplied) {
  OpenEntry();
  prompts->TypeText("1500");
  prompts->PressKey(EntryKey::kEnter, false);
  const int controls = editor->NControls();
  prompts->ShowMessage("t", "text", IMessageBox::kOk);
  prompts->DropAll();
  prompts->Settle();
  EXPECT_TRUE(core.Log().empty());
  EXPECT_EQ(editor->NControls(), controls - 1);
}

TEST_F(DrawnPrompts, AMessageBoxTakesEveryClickAndRunsItsActionOnYes) {
  int accepted = 0;
  prompts->ShowMessage("Open", "Go there?", IMessageBox::kYesNo, [&] { ++accepted; });
  IMessageBox* box = prompts->Message();
  ASSERT_NE(box, nullptr);
  // It covers the editor: the knob underneath gets nothing.
  const std::size_t logged = journal.size();
  editor->OnMouseDown(50, 180, Buttons(true));
  editor->OnMouseUp(50, 180, Buttons(false));
  EXPECT_EQ(journal.size(), logged);
  EXPECT_TRUE(core.Log().empty());
  const PixelRect no = box->NoButton();
  editor->OnMouseDown(no.left + 2, no.top + 2, Buttons(true));
  prompts->Settle();
  EXPECT_EQ(accepted, 0);
  EXPECT_EQ(prompts->Message(), nullptr);

  prompts->ShowMessage("Open", "Go there?", IMessageBox::kYesNo, [&] { ++accepted; });
  EXPECT_TRUE(prompts->TypeText("x"));  // keys go nowhere else while it shows
  prompts->PressKey(EntryKey::kEnter, false);
  prompts->Settle();
  EXPECT_EQ(accepted, 1);
  PaintAll();  // a box draws without a window
}

}  // namespace
}  // namespace quivorant::test
