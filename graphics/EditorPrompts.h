// The prompts an editor draws itself where the window system lends it no native ones (X11):
// at most one in-place value entry and one message box, both controls on top of the editor's
// list. The window body forwards keys, presses and focus changes here; its timer calls Settle,
// which applies or drops what the user decided, so values change only from the timer, never
// from inside an event.
#pragma once

#include <functional>

#include "graphics/controls/IEntryBox.h"
#include "graphics/controls/IMessageBox.h"

namespace quivorant {

class IGraphics;

class EditorPrompts {
public:
  explicit EditorPrompts(IGraphics& editor) : editor_(editor) {}
  EditorPrompts(const EditorPrompts&) = delete;
  EditorPrompts& operator=(const EditorPrompts&) = delete;

  // Opens the entry for control's parameter over the control; ignored while one is open.
  void OpenEntry(IControl* control, IParamRecord* param, bool compact);
  // Shows a message (replacing one that shows); onAccept runs at the tick after Yes (or OK).
  void ShowMessage(const char* title, const char* text, IMessageBox::Buttons buttons,
                   std::function<void()> onAccept = nullptr);

  // Window events. A press anywhere but in the entry decides it: the left button commits, the
  // right cancels (the press then reaches the controls as usual). Keys go to the message box
  // first, then to the entry; each answers true when a prompt took the key.
  void PointerPressed(int x, int y, bool rightButton);
  bool TypeText(const char* text);
  bool PressKey(EntryKey key, bool shift);
  void FocusLost();

  // Timer tick: applies a committed entry, closes decided entries and answered boxes.
  void Settle();
  // The window closes: every prompt goes without applying anything.
  void DropAll();

  IEntryBox* Entry() const { return entry_; }
  IMessageBox* Message() const { return message_; }

private:
  void CloseEntry();

  IGraphics& editor_;
  IEntryBox* entry_ = nullptr;
  IMessageBox* message_ = nullptr;
  std::function<void()> onAccept_;
};

}  // namespace quivorant
