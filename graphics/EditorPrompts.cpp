#include "graphics/EditorPrompts.h"

#include "graphics/IGraphics.h"
#include "plug/IParamRecord.h"

namespace quivorant {

void EditorPrompts::OpenEntry(IControl* control, IParamRecord* param, bool compact) {
  if (!control || !param || entry_) return;
  char current[kParamTextCapacity];
  param->FormatValue(param->CurrentValue(), false, current, sizeof current);
  entry_ = new IEntryBox(editor_.Plug(), IEntryBox::PlaceFor(*control, *param, compact), control, param, current);
  editor_.AttachControl(entry_);
  // A message box, when one shows, stays on top of the entry.
  if (message_) {
    editor_.RemoveControl(message_);
    editor_.AttachControl(message_);
  }
}

void EditorPrompts::ShowMessage(const char* title, const char* text, IMessageBox::Buttons buttons,
                                std::function<void()> onAccept) {
  delete message_;
  message_ = new IMessageBox(editor_.Plug(), PixelRect(0, 0, editor_.Width(), editor_.Height()), title, text, buttons);
  onAccept_ = std::move(onAccept);
  editor_.AttachControl(message_);
}

void EditorPrompts::PointerPressed(int x, int y, bool rightButton) {
  // Under a message box nothing else can be clicked, the entry included.
  if (!entry_ || message_ || entry_->Decided() != IEntryBox::kUndecided) return;
  if (rightButton)
    entry_->Decide(IEntryBox::kCancel);
  else if (!entry_->Rect().Contains(x, y))
    entry_->Decide(IEntryBox::kCommit);
}

bool EditorPrompts::TypeText(const char* text) {
  if (message_) return true;
  if (!entry_) return false;
  entry_->TypeText(text);
  return true;
}

bool EditorPrompts::PressKey(EntryKey key, bool shift) {
  if (message_) {
    if (key == EntryKey::kEnter || key == EntryKey::kEscape) message_->Answer(key == EntryKey::kEnter);
    return true;
  }
  if (!entry_) return false;
  entry_->PressKey(key, shift);
  return true;
}

void EditorPrompts::FocusLost() {
  if (entry_ && !message_) entry_->FocusLost();
}

void EditorPrompts::Settle() {
  if (message_ && message_->Answered() != IMessageBox::kUnanswered) {
    const bool accepted = message_->Answered() == IMessageBox::kYes;
    std::function<void()> action = std::move(onAccept_);
    onAccept_ = nullptr;
    delete message_;
    message_ = nullptr;
    editor_.MarkAllDirty();
    // The action may show the next message (a failure notice).
    if (accepted && action) action();
  }
  if (!entry_ || entry_->Decided() == IEntryBox::kUndecided) return;
  if (entry_->Decided() == IEntryBox::kCommit && editor_.IndexOf(entry_->Target()) >= 0) {
    editor_.ApplyTextEntry(entry_->Target(), entry_->TargetParam(), entry_->Text().c_str());
  }
  CloseEntry();
}

void EditorPrompts::CloseEntry() {
  IControl* target = entry_->Target();
  delete entry_;
  entry_ = nullptr;
  editor_.MarkAllDirty();
  if (editor_.IndexOf(target) >= 0) target->EntryClosed();
}

void EditorPrompts::DropAll() {
  delete entry_;
  entry_ = nullptr;
  delete message_;
  message_ = nullptr;
  onAccept_ = nullptr;
}

}  // namespace quivorant
