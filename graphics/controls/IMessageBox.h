// A message the editor draws over itself, for window systems without a native message box
// (X11): the confirmation asked before opening a web address (Yes / No) and the failure notice
// (OK). It covers the whole editor, so the controls underneath take no clicks while it shows.
// It records the answer; the editor acts on it and removes the box at its next timer tick.
#pragma once

#include <string>

#include "graphics/TextStyle.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IMessageBox : public IControl {
public:
  enum Buttons : int { kOk = 0, kYesNo = 1 };
  enum Answer : int { kUnanswered = 0, kYes = 1, kNo = 2 };  // OK answers kYes

  IMessageBox(IEffectBase* plug, const PixelRect& editorRect, const char* title, const char* text, Buttons buttons);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;
  // Enter answers the default (Yes or OK), Escape No (or OK).
  void Answer(bool accept);

  int Answered() const { return answer_; }
  Buttons Kind() const { return buttons_; }
  const std::string& Message() const { return text_; }
  // Where the buttons are drawn (No is empty for an OK box).
  PixelRect YesButton() const;
  PixelRect NoButton() const;

private:
  PixelRect BoxRect() const;

  std::string title_;
  std::string text_;
  Buttons buttons_;
  int answer_ = kUnanswered;
  TextStyle titleStyle_;
  TextStyle textStyle_;
};

}  // namespace quivorant
