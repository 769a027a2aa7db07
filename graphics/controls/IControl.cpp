// Base behaviour shared by every control: value storage and clamping, the push to the core,
// the wheel step, the reset on double-click and the right-click prompt.
#include "graphics/controls/IControl.h"

#include <algorithm>

#include "graphics/IGraphics.h"
#include "graphics/controls/PromptPopup.h"
#include "plug/IEffectBase.h"
#include "plug/IParamRecord.h"
#include "plug/Rounding.h"

namespace quivorant {

namespace {

// Keeps a pop-up's span [start, start + size) inside [margin, limit - margin] by moving it.
int KeepInside(int start, int size, int limit, int margin) {
  if (int64_t(start) + size > int64_t(limit) - margin) start = PixelRect::ClampToInt(int64_t(limit) - margin - size);
  if (start < margin) start = margin;
  return start;
}

bool IsListKind(const IParamRecord* param) { return param->kind == kParamEnum || param->kind == kParamBool; }

}  // namespace

IControl::IControl(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BlendSpec* blend)
    : plug_(plug), rect_(rect), targetRect_(rect), paramIdx_(paramIdx) {
  if (blend) blend_ = *blend;
}

IControl::~IControl() {
  if (graphics_) graphics_->ForgetControl(this);
}

IParamRecord* IControl::Param() const {
  if (!plug_ || paramIdx_ < 0 || paramIdx_ >= plug_->ParamCount()) return nullptr;
  return plug_->GetParam(paramIdx_);
}

void IControl::OnMouseDown(int, int, const MouseModifiers& mods) {
  if (mods.right) {
    PromptForParam();
  } else if (graphics_) {
    graphics_->ClearPopupControl();
  }
}

void IControl::PromptForParam() {
  IParamRecord* param = Param();
  if (!param || disablePrompt_ || !graphics_) return;
  if (graphics_->PopupControl()) {
    graphics_->ClearPopupControl();
    return;
  }
  const int texts = param->DisplayTextCount();
  if (!IsListKind(param) || texts < 1) {
    graphics_->PromptParamEntry(this, param, true);
    redraw_ = true;
    return;
  }
  PromptPopup* popup = AttachPopupList();
  for (int i = 0; i < texts; ++i) popup->AddEntry(param->DisplayTextFor(i));
  ShowPopupList(popup, RoundHalfAway(param->CurrentValue()));
}

PromptPopup* IControl::AttachPopupList() {
  IGraphics* g = graphics_;
  auto* popup = new PromptPopup(plug_, rect_.left, rect_.top, 70, 1, &g->PopupTextStyle(), &g->PopupBackgroundColor(),
                                &g->PopupFrameColor());
  g->AttachControl(popup);
  g->SetPopupControl(popup);
  popup->Hide(true);
  return popup;
}

void IControl::ShowPopupList(PromptPopup* popup, int selected) {
  IGraphics* g = graphics_;
  // Centre on this control, but stay 6 pixels inside the editor.
  const PixelRect& r = popup->Rect();
  const int w = r.Width();
  const int h = r.Height();
  const int left =
      KeepInside(PixelRect::ClampToInt(int64_t(r.left) + (int64_t(rect_.Width()) - w) / 2), w, g->Width(), 6);
  const int top =
      KeepInside(PixelRect::ClampToInt(int64_t(r.top) + (int64_t(rect_.Height()) - h) / 2), h, g->Height(), 6);
  popup->SetRects(PixelRect(left, top, left + w, top + h));
  popup->ShowFor(this, selected);
}

void IControl::OnMouseUp(int, int, const MouseModifiers&) {}

void IControl::OnDrop(int, int, const char*) {}

void IControl::OnMouseDrag(int, int, int, int, const MouseModifiers&) {}

void IControl::OnMouseDoubleClick(int, int, const MouseModifiers&) {
  if (defaultValue_ >= 0.0) {
    value_ = defaultValue_;
    SetDirty(true);
  }
}

void IControl::OnMouseWheel(int, int, const MouseModifiers& mods, int steps) {
  IParamRecord* param = Param();
  if (!param) return;
  double step = 0.01;
  if (IsListKind(param)) {
    const int texts = param->DisplayTextCount();
    // A list parameter without texts has no entries to step through.
    if (texts < 1) return;
    step = 0.5 / texts;
  }
  const bool fine = plug_->HostCode() == 2 ? mods.control : (mods.control || mods.shift);
  if (fine) step *= 0.1;
  value_ += step * steps;
  SetDirty(true);
}

void IControl::OnKeyDown(int, int, int) {}

void IControl::OnMouseOver(int, int, const MouseModifiers&) {}

void IControl::OnMouseOut() {}

void IControl::SetValueFromParam(double normalizedValue) {
  if (defaultValue_ < 0.0) {
    defaultValue_ = normalizedValue;
  } else if (normalizedValue == value_) {
    return;
  }
  value_ = normalizedValue;
  SetDirty(false);
  redraw_ = true;
}

void IControl::SetValueFromEntry(double normalizedValue) {
  if (normalizedValue != value_) value_ = normalizedValue;
  SetDirty(true);
  redraw_ = true;
}

void IControl::PopupResult(const char*, int) {}

void IControl::Hide(bool hidden) {
  hidden_ = hidden;
  redraw_ = true;
  SetDirty(false);
}

void IControl::SetGreyed(bool greyed) {
  greyed_ = greyed;
  blend_.weight = greyed ? 0.25f : 1.0f;
  SetDirty(false);
}

bool IControl::IsHit(int x, int y) const {
  return targetRect_.left <= x && x <= targetRect_.right && targetRect_.top <= y && y <= targetRect_.bottom;
}

void IControl::SetDirty(bool pushParamToPlug) {
  // NaN is not inside the range either; it must never reach the core.
  if (!(value_ >= clampLo_)) value_ = clampLo_;
  if (value_ > clampHi_) value_ = clampHi_;
  dirty_ = true;
  if (pushParamToPlug && HasParam()) plug_->SetParamFromEditor(paramIdx_, value_);
}

void IControl::SetClean() {
  dirty_ = redraw_;
  redraw_ = false;
}

bool IControl::IsDirty() const { return dirty_; }

void IControl::ReservedHook() {}

void IControl::ForgetReference(const IControl* gone) {
  if (owner_ == gone) owner_ = nullptr;
}

void IControl::EntryClosed() {
  // Redraw only: a committed entry already pushed its value inside its own gesture, and a
  // cancelled one changed nothing, so a push here would reach the host outside any gesture.
  SetDirty(false);
  redraw_ = true;
}

}  // namespace quivorant
