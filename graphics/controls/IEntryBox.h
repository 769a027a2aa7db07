// A one-line value entry the editor draws itself, laid over a control, for window systems that
// have no native text box to borrow (X11). It keeps the text, the caret and a selection, takes
// typed characters and editing keys from the window, and only records what the user decided
// (commit or cancel): the editor's timer applies or drops the text at its next tick, as with the
// Windows entry, so no value changes from inside a key or mouse event.
#pragma once

#include <string>

#include "graphics/TextStyle.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

enum class EntryKey { kLeft, kRight, kHome, kEnd, kBackspace, kDelete, kEnter, kEscape, kSelectAll };

class IEntryBox : public IControl {
public:
  enum Decision : int { kUndecided = 0, kCommit = 1, kCancel = 2 };
  // What an entry hands over at most, like the Windows entry's read-back buffer.
  static constexpr int kTextCapacity = 999;

  // Where the entry for `control` sits: compact, a box 16 pixels high centred on the control,
  // wide enough for the text of the top of the range (at least 32); otherwise the control's own
  // rectangle.
  static PixelRect PlaceFor(const IControl& control, const IParamRecord& param, bool compact);

  // Opens with `text` (the value as the user sees it now), all of it selected.
  IEntryBox(IEffectBase* plug, const PixelRect& rect, IControl* target, IParamRecord* param, const char* text);

  // Printable ASCII is inserted at the caret, replacing the selection; anything else is ignored.
  void TypeText(const char* text);
  void PressKey(EntryKey key, bool extendSelection);
  // Focus left the entry: what was typed is kept and committed, not lost.
  void FocusLost();

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;

  const std::string& Text() const { return text_; }
  int SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  int SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  int Decided() const { return decision_; }
  void Decide(Decision decision) { decision_ = decision; }
  IControl* Target() const { return target_; }
  IParamRecord* TargetParam() const { return param_; }

private:
  void MoveCaret(int position, bool extendSelection);
  void EraseSelection();
  // Pixel offset of character position `index` from the text's left edge.
  int OffsetOf(int index);

  IControl* target_;
  IParamRecord* param_;
  std::string text_;
  int caret_ = 0;
  int anchor_ = 0;
  int decision_ = kUndecided;
  TextStyle style_;
};

}  // namespace quivorant
