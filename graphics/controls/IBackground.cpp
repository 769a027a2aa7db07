#include "graphics/controls/IBackground.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "graphics/EditorScale.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/PromptPopup.h"

namespace quivorant {

namespace {

const BlendSpec kOpaque(kBlendCopy, 1.0f);

}  // namespace

IBackground::IBackground(IEffectBase* plug, const BitmapRef& bitmap)
    : IBitmapControl(plug, PixelRect(0, 0, bitmap.width, bitmap.height), -1, bitmap, &kOpaque) {}

void IBackground::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  if (!mods.right || !graphics_) {
    IBitmapControl::OnMouseDown(x, y, mods);
    return;
  }
  // A second right-click closes the menu, as on every other control.
  if (graphics_->PopupControl()) {
    graphics_->ClearPopupControl();
    return;
  }
  const long current = std::lround(graphics_->Scale().Factor() * 100.0);
  int selected = -1;
  PromptPopup* popup = AttachPopupList();
  for (int i = 0; i < int(std::size(kEditorScaleChoices)); ++i) {
    char text[PromptPopup::kEntryCapacity];
    std::snprintf(text, sizeof text, "%d %%", kEditorScaleChoices[i]);
    popup->AddEntry(text);
    if (kEditorScaleChoices[i] == current) selected = i;
  }
  ShowPopupList(popup, selected);
}

void IBackground::PopupResult(const char*, int index) {
  if (!graphics_ || index < 0 || index >= int(std::size(kEditorScaleChoices))) return;
  graphics_->ChooseScale(kEditorScaleChoices[index]);
}

}  // namespace quivorant
