#include "graphics/controls/IMessageBox.h"

#include "graphics/IGraphics.h"

namespace quivorant {

namespace {

constexpr int kBoxWidth = 360;
constexpr int kBoxHeight = 96;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 20;
constexpr ArgbColor kShade(120, 0, 0, 0);
constexpr ArgbColor kBoxColour(255, 50, 50, 50);
constexpr ArgbColor kFrameColour(255, 200, 200, 200);
constexpr ArgbColor kButtonColour(255, 80, 80, 80);
constexpr ArgbColor kTextColour(255, 255, 255, 255);

}  // namespace

IMessageBox::IMessageBox(IEffectBase* plug, const PixelRect& editorRect, const char* title, const char* text,
                         Buttons buttons)
    : IControl(plug, editorRect),
      title_(title ? title : ""),
      text_(text ? text : ""),
      buttons_(buttons),
      titleStyle_("Arial", 14, kTextColour, kTextBold, kAlignCenter),
      textStyle_("Arial", 13, kTextColour, 0, kAlignCenter) {}

PixelRect IMessageBox::BoxRect() const {
  const int left = rect_.left + (rect_.Width() - kBoxWidth) / 2;
  const int top = rect_.top + (rect_.Height() - kBoxHeight) / 2;
  return PixelRect(left, top, left + kBoxWidth, top + kBoxHeight);
}

PixelRect IMessageBox::YesButton() const {
  const PixelRect box = BoxRect();
  const int centre = (box.left + box.right) / 2;
  const int left = buttons_ == kYesNo ? centre - kButtonWidth - 8 : centre - kButtonWidth / 2;
  const int top = box.bottom - kButtonHeight - 10;
  return PixelRect(left, top, left + kButtonWidth, top + kButtonHeight);
}

PixelRect IMessageBox::NoButton() const {
  if (buttons_ != kYesNo) return PixelRect();
  const PixelRect yes = YesButton();
  const int left = yes.right + 16;
  return PixelRect(left, yes.top, left + kButtonWidth, yes.bottom);
}

void IMessageBox::Answer(bool accept) {
  if (answer_ != kUnanswered) return;
  answer_ = accept || buttons_ == kOk ? kYes : kNo;
}

void IMessageBox::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  if (mods.right || answer_ != kUnanswered) return;
  if (YesButton().Contains(x, y))
    Answer(true);
  else if (NoButton().Contains(x, y))
    Answer(false);
}

bool IMessageBox::Draw(IGraphics* graphics) {
  const BlendSpec copy(kBlendCopy, 1.0f);
  graphics->FillRect(kShade, rect_);
  const PixelRect box = BoxRect();
  graphics->FillRect(kBoxColour, box, &copy);
  graphics->DrawRoundRect(kFrameColour, box, 0, &copy);
  const bool titled = !title_.empty();
  if (titled)
    graphics->DrawText(&titleStyle_, title_.c_str(), PixelRect(box.left, box.top + 8, box.right, box.top + 26));
  const int textTop = box.top + (titled ? 30 : 20);
  graphics->DrawText(&textStyle_, text_.c_str(), PixelRect(box.left + 8, textTop, box.right - 8, textTop + 18));
  const char* yesLabel = buttons_ == kYesNo ? "Yes" : "OK";
  const PixelRect buttons[2] = {YesButton(), NoButton()};
  const char* labels[2] = {yesLabel, "No"};
  for (int i = 0; i < 2; ++i) {
    if (buttons[i].Width() <= 0) continue;
    graphics->FillRect(kButtonColour, buttons[i], &copy);
    graphics->DrawRoundRect(kFrameColour, buttons[i], 0, &copy);
    graphics->DrawText(&textStyle_, labels[i],
                       PixelRect(buttons[i].left, buttons[i].top + 3, buttons[i].right, buttons[i].bottom));
  }
  return true;
}

}  // namespace quivorant
