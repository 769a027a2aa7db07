#include "graphics/controls/IDropDown.h"

#include "graphics/FrameIndex.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/IDropDownChild.h"
#include "plug/IEffectBase.h"
#include "plug/Rounding.h"

namespace quivorant {

namespace {

PixelRect DropDownRect(int x, int y, const BitmapRef& closed) {
  const int frameHeight = RoundHalfAway(double(closed.height) / closed.Frames());
  return PixelRect(x, y - 1, x + closed.width, y + frameHeight + 1);
}

}  // namespace

IDropDown::IDropDown(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& closedImage,
                     const BitmapRef& itemImage, int columns, int placement)
    : IControl(plug, DropDownRect(x, y, closedImage), paramIdx),
      closedImage_(closedImage),
      itemImage_(itemImage),
      columns_(columns > 0 ? columns : 1),
      placement_(placement) {}

void IDropDown::ListOrigin(int* x, int* y) const {
  const int w = itemImage_.width;
  const int h = itemImage_.height;
  const bool above = placement_ == kAboveLeft || placement_ == kAboveRight;
  *y = above ? rect_.top - h + 1 : rect_.bottom - 1;
  switch (placement_) {
    case kBelowLeft:
    case kAboveLeft:
      *x = rect_.left;
      break;
    case kBelowRight:
    case kAboveRight:
      *x = rect_.right - w;
      break;
    default:
      *x = rect_.left + RoundHalfAway((closedImage_.width - w) * 0.5);
      break;
  }
}

void IDropDown::OnMouseDown(int, int, const MouseModifiers& mods) {
  if (mods.right) {
    if (!disablePrompt_ && listExists_) {
      list_->Hide(true);
      clickLatch_ = false;
    }
  } else if (mods.left && clickLatch_) {
    if (list_) list_->Hide(true);
    clickLatch_ = false;
  } else if (mods.left) {
    clickLatch_ = true;
    if (listExists_) {
      list_->Hide(false);
    } else if (graphics_) {
      int x = 0;
      int y = 0;
      ListOrigin(&x, &y);
      list_ = new IDropDownChild(plug_, x, y, itemImage_, &value_, columns_, this);
      graphics_->AttachControl(list_);
      listExists_ = true;
    }
  }
  SetDirty(true);
}

void IDropDown::SetValueFromParam(double normalizedValue) {
  IControl::SetValueFromParam(normalizedValue);
  // A value from the core is no pick: the next draw must not send it back as an edit.
  lastDrawnValue_ = value_;
}

void IDropDown::OnMouseWheel(int, int, const MouseModifiers&, int) {}

void IDropDown::ForgetReference(const IControl* gone) {
  IControl::ForgetReference(gone);
  if (gone == list_) {
    list_ = nullptr;
    listExists_ = false;
    clickLatch_ = false;
  }
}

bool IDropDown::Draw(IGraphics* g) {
  const int frames = closedImage_.Frames();
  const int frame = FrameForValue(value_, frames);
  if (listExists_ && value_ != lastDrawnValue_) {
    // An entry was chosen in the list: the core hears of it now, as one gesture of its own (the
    // click went to the list, which has no parameter, so no gesture is open).
    redraw_ = true;
    if (HasParam()) plug_->BeginParamEdit(ParamIdx());
    SetDirty(true);
    if (HasParam()) plug_->EndParamEdit(ParamIdx());
    list_->Hide(true);
    clickLatch_ = false;
  }
  lastDrawnValue_ = value_;
  const PixelRect dest(rect_.left, rect_.top + 1, rect_.left + closedImage_.width,
                       rect_.top + RoundHalfAway(double(closedImage_.height) / frames));
  g->DrawBitmapFrame(closedImage_, dest, frame, &blend_, true);
  return true;
}

}  // namespace quivorant
