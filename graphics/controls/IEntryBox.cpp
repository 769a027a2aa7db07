#include "graphics/controls/IEntryBox.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "graphics/IGraphics.h"
#include "plug/IParamRecord.h"
#include "raster/RasterCachedFont.h"

namespace quivorant {

namespace {

constexpr int kPadding = 2;
constexpr ArgbColor kBoxColour(255, 255, 255, 255);
constexpr ArgbColor kFrameColour(255, 40, 40, 40);
constexpr ArgbColor kSelectionColour(255, 150, 190, 240);
constexpr ArgbColor kTextColour(255, 0, 0, 0);

}  // namespace

PixelRect IEntryBox::PlaceFor(const IControl& control, const IParamRecord& param, bool compact) {
  const PixelRect& rect = control.Rect();
  if (!compact) return rect;
  const int cx = int((double(rect.left) + rect.right) * 0.5);
  const int cy = int((double(rect.top) + rect.bottom) * 0.5);
  char top[kParamTextCapacity];
  param.FormatValue(1.0, true, top, sizeof top);
  const int width = std::max(32, 7 * int(std::strlen(top)) + 6);
  return PixelRect(cx - width / 2, cy - 8, cx - width / 2 + width, cy + 8);
}

IEntryBox::IEntryBox(IEffectBase* plug, const PixelRect& rect, IControl* target, IParamRecord* param, const char* text)
    : IControl(plug, rect),
      target_(target),
      param_(param),
      text_(text ? text : ""),
      style_("Arial", 13, kTextColour, 0, kAlignLeft) {
  if (int(text_.size()) > kTextCapacity) text_.resize(kTextCapacity);
  anchor_ = 0;
  caret_ = int(text_.size());
}

void IEntryBox::MoveCaret(int position, bool extendSelection) {
  caret_ = std::clamp(position, 0, int(text_.size()));
  if (!extendSelection) anchor_ = caret_;
  SetDirty(false);
}

void IEntryBox::EraseSelection() {
  const int start = SelectionStart();
  text_.erase(size_t(start), size_t(SelectionEnd() - start));
  caret_ = anchor_ = start;
}

void IEntryBox::TypeText(const char* text) {
  if (!text || decision_ != kUndecided) return;
  for (const char* c = text; *c; ++c) {
    if (*c < 0x20 || *c > 0x7E) continue;
    EraseSelection();
    if (int(text_.size()) >= kTextCapacity) break;
    text_.insert(size_t(caret_), 1, *c);
    caret_ = anchor_ = caret_ + 1;
  }
  SetDirty(false);
}

void IEntryBox::PressKey(EntryKey key, bool extendSelection) {
  if (decision_ != kUndecided) return;
  const bool hasSelection = caret_ != anchor_;
  switch (key) {
    case EntryKey::kLeft:
      // Without Shift an arrow first collapses a selection to its edge.
      MoveCaret(hasSelection && !extendSelection ? SelectionStart() : caret_ - 1, extendSelection);
      break;
    case EntryKey::kRight:
      MoveCaret(hasSelection && !extendSelection ? SelectionEnd() : caret_ + 1, extendSelection);
      break;
    case EntryKey::kHome:
      MoveCaret(0, extendSelection);
      break;
    case EntryKey::kEnd:
      MoveCaret(int(text_.size()), extendSelection);
      break;
    case EntryKey::kBackspace:
    case EntryKey::kDelete:
      if (!hasSelection) {
        // An empty selection grows by the one character the key removes.
        anchor_ = std::clamp(caret_ + (key == EntryKey::kDelete ? 1 : -1), 0, int(text_.size()));
      }
      EraseSelection();
      SetDirty(false);
      break;
    case EntryKey::kSelectAll:
      anchor_ = 0;
      MoveCaret(int(text_.size()), true);
      break;
    case EntryKey::kEnter:
      decision_ = kCommit;
      break;
    case EntryKey::kEscape:
      decision_ = kCancel;
      break;
  }
}

void IEntryBox::FocusLost() {
  if (decision_ == kUndecided) decision_ = kCommit;
}

int IEntryBox::OffsetOf(int index) {
  RasterCachedFont* font = graphics_ ? graphics_->GetCachedFont(&style_) : nullptr;
  return font && index > 0 ? font->MeasureText(text_.c_str(), index) : 0;
}

void IEntryBox::OnMouseDown(int x, int, const MouseModifiers& mods) {
  if (mods.right) return;
  // The caret goes to the character boundary nearest the click.
  const int target = x - rect_.left - kPadding;
  int best = 0;
  for (int i = 1; i <= int(text_.size()); ++i) {
    if (std::abs(OffsetOf(i) - target) < std::abs(OffsetOf(best) - target)) best = i;
  }
  MoveCaret(best, mods.shift);
}

bool IEntryBox::Draw(IGraphics* graphics) {
  const BlendSpec copy(kBlendCopy, 1.0f);
  graphics->FillRect(kBoxColour, rect_, &copy);
  const int left = rect_.left + kPadding;
  if (caret_ != anchor_) {
    graphics->FillRect(
        kSelectionColour,
        PixelRect(left + OffsetOf(SelectionStart()), rect_.top + 1, left + OffsetOf(SelectionEnd()), rect_.bottom - 1),
        &copy);
  }
  graphics->DrawText(&style_, text_.c_str(), PixelRect(left, rect_.top, rect_.right - kPadding, rect_.bottom));
  const float caretX = float(left + OffsetOf(caret_));
  graphics->DrawLine(kTextColour, caretX, float(rect_.top + 2), caretX, float(rect_.bottom - 3), &copy);
  graphics->DrawRoundRect(kFrameColour, rect_, 0, &copy);
  return true;
}

}  // namespace quivorant
