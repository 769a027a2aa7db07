// Geometry, scrolling, hover and choice of the editor-drawn pop-up list.
#include "graphics/controls/PromptPopup.h"

#include <algorithm>
#include <cstring>

#include "graphics/IGraphics.h"
#include "graphics/controls/PopupDefaults.h"
#include "plug/IEffectBase.h"
#include "plug/IParamRecord.h"
#include "plug/Rounding.h"

namespace quivorant {

namespace {

ArgbColor WithAlpha(ArgbColor c, int alpha) {
  c.A = std::clamp(alpha, 0, 255);
  return c;
}

}  // namespace

PromptPopup::PromptPopup(IEffectBase* plug, int x, int y, int width, int columns, const TextStyle* style,
                         const ArgbColor* background, const ArgbColor* frame)
    : IControl(plug, PixelRect(x, y, std::max(x + 10, x + width), y + 30)),
      originX_(x),
      originY_(y),
      columnWidth_(width),
      normalStyle_(style ? *style : DefaultPopupTextStyle()),
      highlightStyle_(normalStyle_),
      background_(background ? *background : kDefaultPopupBackground),
      frame_(frame ? *frame : kDefaultPopupFrame),
      rowHeight_(normalStyle_.size + 6),
      columns_(columns > 0 ? columns : 1) {
  highlightStyle_.color.A = std::min(255, normalStyle_.color.A + 55);
}

const char* PromptPopup::Entry(int idx) const {
  if (idx < 0 || idx >= int(entries_.size())) return "";
  return entries_[size_t(idx)].data();
}

int PromptPopup::TotalRows() const { return (entryCount_ + columns_ - 1) / columns_; }

int PromptPopup::TrackSpan() const { return rect_.Height() - thumbHeight_ - 2; }

int PromptPopup::LimitThumb(int64_t position) const {
  position = std::min<int64_t>(position, TrackSpan());
  return position < 1 ? 0 : int(position);
}

void PromptPopup::AddEntry(const char* text) {
  std::array<char, kEntryCapacity + 1> entry{};
  if (text) std::strncpy(entry.data(), text, kEntryCapacity);
  entries_.push_back(entry);

  const int length = int(std::strlen(entry.data()));
  const int charWidth = std::max(normalStyle_.size - 8, 5);
  columnWidth_ = std::max(columnWidth_, length * charWidth + 2 * margin_ + 20);

  ++entryCount_;
  if (growRows_ && entryCount_ % 10 == 0 && entryCount_ <= 40) ++visibleRows_;

  capacity_ = columns_ * visibleRows_;
  int height;
  int extraWidth;
  if (capacity_ < entryCount_) {
    const float rh = float(rowHeight_);
    const float vr = float(visibleRows_);
    if (4 * visibleRows_ < entryCount_) {
      thumbHeight_ = int(1.5f * rh);
    } else {
      thumbHeight_ = int((1.5f * rh - rh * vr) * float(entryCount_ - visibleRows_) / (3.0f * vr) + rh * vr);
    }
    height = rowHeight_ * visibleRows_;
    extraWidth = margin_ + scrollBarWidth_ + 2;
  } else {
    height = TotalRows() * rowHeight_;
    extraWidth = margin_;
  }
  SetRects(PixelRect(rect_.left, rect_.top, rect_.left + columnWidth_ * columns_ + extraWidth, rect_.top + height));
}

void PromptPopup::SelectFromParameter(int paramIdx, IControl* owner) {
  int selected = selected_;
  if (paramIdx >= 0 && plug_) {
    if (const IParamRecord* param = plug_->GetParam(paramIdx)) selected = RoundHalfAway(param->CurrentValue());
  }
  ShowFor(owner, selected);
}

void PromptPopup::ShowFor(IControl* owner, int selected) {
  selected_ = selected;
  ScrollToSelection();
  owner_ = owner;
  Hide(false);
}

void PromptPopup::ScrollToSelection() {
  if (!HasScrollBar()) return;
  const int rows = TotalRows();
  const int hiddenRows = rows - visibleRows_;
  if (hiddenRows <= 0) return;
  const int row = selected_ / columns_ + 1;
  const int half = (visibleRows_ + 1) / 2;
  const int first = std::clamp(row - half, 0, hiddenRows);
  thumbPos_ = RoundHalfAway(double(TrackSpan()) * first / hiddenRows);
}

void PromptPopup::ScrollBy(int pixels) {
  thumbPos_ = LimitThumb(int64_t(thumbPos_) + pixels);
  SetDirty(true);
}

PixelRect PromptPopup::ThumbRect() const {
  const int top = rect_.top + thumbPos_ + 1;
  return PixelRect(rect_.right - scrollBarWidth_ - 2, top, rect_.right - 1, top + thumbHeight_);
}

void PromptPopup::UpdateScrollBounds() {
  scrollColumn_ = {rect_.right - scrollBarWidth_ - 2, rect_.top, rect_.right - 1, rect_.bottom};
  const PixelRect t = ThumbRect();
  thumb_ = {t.left, t.top, t.right, t.bottom};
}

int PromptPopup::HoveredRowAt(int x, int y) const {
  // Without a scroll bar the rightmost pixels belong to the entries.
  if (HasScrollBar()) {
    if (scrollColumn_.Contains(x, y) && thumb_.Contains(x, y)) return -1;
    if (scrollColumn_.Contains(x, y)) return hoveredRow_;
  }
  const int row = FloorToInt((double(y) - rect_.top) / rowHeight_);
  int hovered = int(std::min<int64_t>(int64_t(row) * columns_, capacity_));
  if (columns_ > 1) {
    const int column = FloorToInt((double(x) - (rect_.left + RoundHalfAway(margin_ * 0.5))) / columnWidth_);
    hovered += std::clamp(column, 0, columns_ - 1);
    if (hovered >= entryCount_) hovered = -1;
  }
  return hovered;
}

void PromptPopup::OnMouseOver(int x, int y, const MouseModifiers&) {
  UpdateScrollBounds();
  const int hovered = HoveredRowAt(x, y);
  if (hovered != hoveredRow_) {
    hoveredRow_ = hovered;
    SetDirty(false);
  }
}

void PromptPopup::OnMouseOut() {
  hoveredRow_ = -2;
  SetDirty(false);
}

void PromptPopup::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  UpdateScrollBounds();
  if (HasScrollBar() && scrollColumn_.Contains(x, y)) {
    if (!mods.left) return;
    dragging_ = true;
    if (thumb_.Contains(x, y)) {
      SetDirty(false);
    } else {
      ScrollBy(PixelRect::ClampToInt(int64_t(y) - thumbPos_ - rect_.top - RoundHalfAway(thumbHeight_ * 0.5)));
    }
    return;
  }
  if (!mods.left) return;
  // The press picks what is under the pointer, even when no hover preceded it.
  hoveredRow_ = HoveredRowAt(x, y);
  const int64_t entry = int64_t(firstVisible_) + hoveredRow_;
  if (hoveredRow_ < 0 || entry >= entryCount_) return;
  ChooseEntry(int(entry));  // deletes this pop-up
}

void PromptPopup::ChooseEntry(int entry) {
  selected_ = entry;
  IControl* owner = owner_;
  const char* text = Entry(entry);
  if (owner && owner->HasParam()) {
    const int paramIdx = owner->ParamIdx();
    plug_->BeginParamEdit(paramIdx);
    owner->SetValueFromEntry(owner->Param()->ToNormalized(double(entry)));
    plug_->EndParamEdit(paramIdx);
  }
  if (owner) owner->PopupResult(text, entry);
  if (IGraphics* g = graphics_) {
    g->DropMouseCapture();
    g->ForgetHoveredControl();
    g->ClosePopup(true);  // this object is gone after this call
  }
}

void PromptPopup::OnMouseUp(int, int, const MouseModifiers&) {
  if (!HasScrollBar()) return;
  dragging_ = false;
  SetDirty(false);
}

void PromptPopup::OnMouseDrag(int, int, int, int dY, const MouseModifiers&) {
  if (!dragging_) return;
  thumbPos_ = LimitThumb(int64_t(thumbPos_) + dY);
  SetDirty(false);
}

void PromptPopup::OnMouseWheel(int, int, const MouseModifiers&, int steps) {
  if (!HasScrollBar()) return;
  thumbPos_ = LimitThumb(int64_t(thumbPos_) - 3 * int64_t(steps));
  SetDirty(false);
}

PixelRect PromptPopup::Cell(int k) const {
  const int column = k % columns_;
  const int row = k / columns_;
  return PixelRect(rect_.left + columnWidth_ * column + margin_, rect_.top + row * rowHeight_ + 1,
                   rect_.left + columnWidth_ * (column + 1), rect_.top + rowHeight_ * (row + 1) - 1);
}

bool PromptPopup::IsVisibleCell(int k) const {
  return k >= 0 && k < capacity_ && int64_t(firstVisible_) + k < entryCount_;
}

bool PromptPopup::Draw(IGraphics* g) {
  UpdateScrollBounds();
  if (HasScrollBar()) {
    const int hiddenRows = TotalRows() - visibleRows_;
    const int span = TrackSpan();
    const int firstRow = span > 0 ? RoundHalfAway(float(hiddenRows) * float(thumbPos_) / float(span)) : 0;
    firstVisible_ = columns_ * std::clamp(firstRow, 0, std::max(hiddenRows, 0));
  }
  g->FillRoundRect(background_, rect_, 4, 4);

  const ArgbColor separator = WithAlpha(frame_, int(frame_.A * 0.6));
  for (int i = 1; i < columns_; ++i) {
    const float x = float(i * columnWidth_ + rect_.left) + (float(margin_) * 0.5f - 0.5f);
    g->DrawLine(separator, x, float(rect_.top + margin_), x, float(rect_.bottom - margin_), nullptr, true);
  }

  const int selectedCell = selected_ - firstVisible_;
  if (selected_ >= 0 && IsVisibleCell(selectedCell)) {
    g->DrawRoundRect(frame_, Cell(selectedCell), 4);
    g->FillRoundRect(frame_, Cell(selectedCell), 4, 4);
  }
  if (IsVisibleCell(hoveredRow_) && hoveredRow_ != selectedCell) g->FillRoundRect(frame_, Cell(hoveredRow_), 4, 4);

  for (int k = 0; IsVisibleCell(k); ++k) {
    const int column = k % columns_;
    const int row = k / columns_;
    const PixelRect textRect(rect_.left + column * columnWidth_ + 2 * margin_,
                             rect_.top + row * rowHeight_ + RoundHalfAway(margin_ * 0.75),
                             rect_.left + (column + 1) * columnWidth_, rect_.top + rowHeight_ * (row + 1));
    const int entry = firstVisible_ + k;
    g->DrawText(entry == selected_ ? &highlightStyle_ : &normalStyle_, Entry(entry), textRect);
  }

  if (HasScrollBar()) {
    const PixelRect track(scrollColumn_.left - 1, rect_.top, scrollColumn_.right + 1, rect_.bottom);
    g->DrawRoundRect(WithAlpha(frame_, frame_.A - 20), track, 4);
    const bool overThumb = hoveredRow_ == -1 && !dragging_;
    g->FillRoundRect(overThumb ? WithAlpha(frame_, frame_.A + 20) : frame_, ThumbRect(), 3, 4);
  }
  return true;
}

}  // namespace quivorant
