// Control list, parameter traffic, event routing and painting of the editor core.
#include "graphics/IGraphics.h"

#include <cstdio>

#include "graphics/controls/IControl.h"
#include "graphics/controls/PopupDefaults.h"
#include "plug/IEffectBase.h"
#include "plug/IParamRecord.h"
#include "raster/RasterBitmap.h"
#include "raster/RasterSysBitmap.h"

namespace quivorant {

IGraphics::IGraphics(IEffectBase* plug, int width, int height, int frameRate)
    : plug_(plug),
      popupTextStyle_(DefaultPopupTextStyle()),
      popupBackground_(kDefaultPopupBackground),
      popupFrame_(kDefaultPopupFrame),
      width_(width),
      height_(height),
      frameRate_(frameRate > 0 ? frameRate : kDefaultFrameRate) {}

IGraphics::~IGraphics() {
  DeleteAllControls();
  drawBitmap_.reset();
  ownedBitmaps_.clear();
}

void IGraphics::DeleteAllControls() {
  // The pop-up and the hovered and captured indices point into the list: forget them first.
  popupControl_ = nullptr;
  hoveredControl_ = -1;
  ForgetCapture();
  while (!controls_.empty()) {
    IControl* last = controls_.back();
    controls_.pop_back();
    delete last;
  }
}

void IGraphics::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  DeleteAllControls();
  if (plug_) plug_->ResizeEditor(WindowWidth(), WindowHeight());
}

bool IGraphics::ApplyScale() {
  const EditorScale next(chosenScale_ > 0 ? chosenScale_ / 100.0 : contentScale_);
  if (next == scale_) return false;
  scale_ = next;
  art_.SetScale(scale_);
  ResizeDrawBitmap(WindowWidth(), WindowHeight());
  WindowScaleChanged();
  MarkAllDirty();
  return true;
}

bool IGraphics::SetContentScale(double factor) {
  hostGaveScale_ = true;
  contentScale_ = EditorScale(factor).Factor();
  return ApplyScale();
}

bool IGraphics::SetScreenScale(double factor) {
  if (hostGaveScale_) return false;
  contentScale_ = EditorScale(factor).Factor();
  return ApplyScale();
}

void IGraphics::ChooseScale(int percent) {
  chosenScale_ = ValidScaleChoice(percent);
  if (ApplyScale() && plug_) plug_->ResizeEditor(WindowWidth(), WindowHeight());
}

void IGraphics::RestoreChosenScale(int percent) {
  chosenScale_ = ValidScaleChoice(percent);
  ApplyScale();
}

void IGraphics::ResizeDrawBitmap(int width, int height) {
  if (drawBitmap_) drawBitmap_->SetSize(width, height);
}

void IGraphics::SetWheelGestureTicks(int ticks) { wheelGestureTicks_ = ticks > 0 ? ticks : 0; }

void IGraphics::ClearWheelGestureTicks() { wheelGestureTicks_ = 0; }

void IGraphics::CatchUpWithCore() {
  if (plug_) plug_->SyncEditorControls();
}

bool IGraphics::AdvanceWheelGestureCountdown() {
  if (wheelGestureTicks_ <= 0) return false;
  if (--wheelGestureTicks_ > 0) return false;
  if (plug_) plug_->FlushDeferredGesture();
  return true;
}

void IGraphics::SetControlsFromParam(int paramIdx, double value, bool isNormalized) {
  if (!isNormalized) {
    IParamRecord* param = plug_ ? plug_->GetParam(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  for (IControl* control : controls_) {
    if (control->ParamIdx() == paramIdx) control->SetValueFromParam(value);
  }
}

void IGraphics::PrepareDraw() { drawBitmap_ = std::make_unique<RasterSysBitmap>(WindowWidth(), WindowHeight()); }

int IGraphics::AttachControl(IControl* control) {
  if (!control) return -1;
  control->SetGraphics(this);
  controls_.push_back(control);
  return int(controls_.size()) - 1;
}

void IGraphics::RemoveControl(IControl* control) {
  const int idx = IndexOf(control);
  if (idx < 0) return;
  controls_.erase(controls_.begin() + idx);
  // Indices above the removed entry moved down by one.
  if (hoveredControl_ == idx)
    hoveredControl_ = -1;
  else if (hoveredControl_ > idx)
    --hoveredControl_;
  if (capturedControl_ == idx)
    ForgetCapture();
  else if (capturedControl_ > idx)
    --capturedControl_;
  if (popupControl_ == control) popupControl_ = nullptr;
}

void IGraphics::ForgetControl(const IControl* gone) {
  RemoveControl(const_cast<IControl*>(gone));
  if (popupControl_ == gone) popupControl_ = nullptr;
  for (IControl* control : controls_) control->ForgetReference(gone);
}

IControl* IGraphics::GetControl(int idx) const {
  if (idx < 0 || idx >= int(controls_.size())) return nullptr;
  return controls_[size_t(idx)];
}

int IGraphics::IndexOf(const IControl* control) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == control) return int(i);
  }
  return -1;
}

void IGraphics::MarkAllDirty() {
  if (IControl* first = GetControl(0)) first->SetDirty(false);
}

void IGraphics::ForgetCapture() {
  capturedControl_ = -1;
  mouseX_ = -1;
  mouseY_ = -1;
}

void IGraphics::DropMouseCapture() { ForgetCapture(); }

void IGraphics::EndMouseGesture() {
  IControl* control = GetControl(capturedControl_);
  ForgetCapture();
  if (control) EndEdit(control);
}

void IGraphics::CaptureAt(int idx, int x, int y) {
  capturedControl_ = idx;
  mouseX_ = x;
  mouseY_ = y;
}

void IGraphics::ClosePopup(bool selectionMade) {
  IControl* popup = popupControl_;
  if (!popup) return;
  popupControl_ = nullptr;
  if (!selectionMade && popup->Owner()) popup->Owner()->PopupResult("", -1);
  RemoveControl(popup);
  delete popup;
  MarkAllDirty();
}

void IGraphics::BeginEdit(IControl* control) {
  if (plug_ && control->HasParam()) plug_->BeginParamEdit(control->ParamIdx());
}

void IGraphics::EndEdit(IControl* control) {
  if (plug_ && control->HasParam()) plug_->EndParamEdit(control->ParamIdx());
}

int IGraphics::FindControlAt(int x, int y) const {
  if (GetControl(capturedControl_)) return capturedControl_;
  for (int i = int(controls_.size()) - 1; i >= 0; --i) {
    const IControl* control = controls_[size_t(i)];
    if (!control->IsHidden() && !control->IsGreyed() && control->IsHit(x, y)) return i;
  }
  return -1;
}

bool IGraphics::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  ForgetCapture();
  const int idx = FindControlAt(x, y);
  IControl* control = GetControl(idx);
  if (!control) return false;
  CaptureAt(idx, x, y);
  if (popupControl_ && popupControl_ != control && control->Owner() != popupControl_ && IndexOf(popupControl_) >= 0) {
    ClosePopup(false);
    // Closing removed the pop-up from the list, which may have moved the pressed control.
    capturedControl_ = IndexOf(control);
  }
  BeginEdit(control);
  control->OnMouseDown(x, y, mods);
  return true;
}

void IGraphics::OnMouseUp(int x, int y, const MouseModifiers& mods) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  // The release belongs to the control its press captured. When the press hit nothing, or a
  // pop-up pick already ended its gesture and dropped the capture, the control now under the
  // pointer never saw a press: releasing it would push a value and end an edit never begun.
  IControl* control = GetControl(capturedControl_);
  ForgetCapture();
  if (!control) return;
  control->OnMouseUp(x, y, mods);
  EndEdit(control);
}

void IGraphics::OnDrop(int x, int y, const char* fileName) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  IControl* control = GetControl(FindControlAt(x, y));
  ForgetCapture();
  if (!control) return;
  control->OnDrop(x, y, fileName ? fileName : "");
  EndEdit(control);
}

void IGraphics::OnMouseDrag(int x, int y, const MouseModifiers& mods) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  IControl* control = GetControl(capturedControl_);
  if (!control) return;
  // Deltas in 64 bits: positions far apart must not overflow.
  const int dX = PixelRect::ClampToInt(int64_t(x) - mouseX_);
  const int dY = PixelRect::ClampToInt(int64_t(y) - mouseY_);
  if (dX == 0 && dY == 0) return;
  mouseX_ = x;
  mouseY_ = y;
  control->OnMouseDrag(x, y, dX, dY, mods);
}

bool IGraphics::OnMouseDoubleClick(int x, int y, const MouseModifiers& mods) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  ForgetCapture();
  const int idx = FindControlAt(x, y);
  IControl* control = GetControl(idx);
  if (!control) return false;
  BeginEdit(control);
  if (!control->DoubleClickAsClick()) {
    control->OnMouseDoubleClick(x, y, mods);
    return false;
  }
  CaptureAt(idx, x, y);
  control->OnMouseDown(x, y, mods);
  return true;
}

void IGraphics::OnMouseWheel(int x, int y, const MouseModifiers& mods, int notches) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  IControl* control = GetControl(FindControlAt(x, y));
  if (!control) return;
  const bool hasParam = plug_ && control->HasParam();
  const int paramIdx = control->ParamIdx();
  if (hasParam) plug_->WheelEditHook(paramIdx);
  control->OnMouseWheel(x, y, mods, notches);
  if (hasParam) plug_->EndParamGestureDeferred(paramIdx);
}

bool IGraphics::OnMouseOver(int x, int y, const MouseModifiers& mods) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  if (!mouseOverEnabled_) return false;
  const int idx = FindControlAt(x, y);
  IControl* control = GetControl(idx);
  if (!control) return true;
  mouseX_ = x;
  mouseY_ = y;
  control->OnMouseOver(x, y, mods);
  if (plug_ && control->HasParam()) plug_->ParamHoverHook(control->ParamIdx());
  if (hoveredControl_ != idx) {
    if (IControl* previous = GetControl(hoveredControl_)) previous->OnMouseOut();
  }
  hoveredControl_ = idx;
  return true;
}

void IGraphics::OnMouseOut() {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->OnMouseOut();
  hoveredControl_ = -1;
}

void IGraphics::OnKeyDown(int x, int y, int key) {
  x = scale_.ToEditor(x);
  y = scale_.ToEditor(y);
  if (IControl* control = GetControl(FindControlAt(x, y))) control->OnKeyDown(x, y, key);
}

void IGraphics::ApplyTextEntry(IControl* control, IParamRecord* param, const char* text) {
  if (!control || !param) return;
  // A text that is neither a value's name nor a number leaves the value as it was.
  double plain = 0.0;
  if (!param->ReadTypedValue(text, &plain)) return;
  const double normalized = param->ToNormalized(plain);
  if (plug_ && control->HasParam()) {
    plug_->BeginParamEdit(control->ParamIdx());
    control->SetValueFromEntry(normalized);
    plug_->EndParamEdit(control->ParamIdx());
  } else {
    control->SetValueFromEntry(normalized);
  }
}

bool IGraphics::CollectDirtyRect(PixelRect* rect) {
  if (!rect) return false;
  if (showControlBounds_) {
    *rect = drawRect_;
    return true;
  }
  bool dirty = false;
  for (IControl* control : controls_) {
    if (control->IsDirty()) {
      *rect = rect->Union(control->Rect());
      dirty = true;
    }
  }
  return dirty;
}

void IGraphics::PaintStrict(const PixelRect& updateRect) {
  drawRect_ = updateRect;
  // Index loop: a control's Draw may attach controls (the list grows, never shrinks, here).
  for (size_t i = 0; i < controls_.size(); ++i) {
    IControl* control = controls_[i];
    if (!control->IsHidden() && control->Rect().Intersects(updateRect)) control->Draw(this);
    control->SetClean();
  }
}

void IGraphics::PaintLoose() {
  IControl* background = controls_[0];
  if (background->IsDirty()) {
    drawRect_ = background->Rect();
    for (size_t j = 0; j < controls_.size(); ++j) {
      IControl* control = controls_[j];
      if (j == 0 || !control->IsHidden()) control->Draw(this);
      control->SetClean();
    }
    return;
  }
  for (size_t i = 1; i < controls_.size(); ++i) {
    IControl* dirty = controls_[i];
    if (!dirty->IsDirty()) continue;
    drawRect_ = dirty->Rect();
    for (size_t j = 0; j < controls_.size(); ++j) {
      IControl* control = controls_[j];
      if (control->IsHidden()) continue;
      if (j == i || control->Rect().Intersects(drawRect_)) control->Draw(this);
    }
    dirty->SetClean();
  }
}

void IGraphics::PaintBoundsOverlay() {
  static const ArgbColor kGreen(255, 0, 255, 0);
  const BlendSpec plain(kBlendCopy, 1.0f);
  for (size_t i = 1; i < controls_.size(); ++i) {
    const PixelRect& r = controls_[i]->Rect();
    DrawLine(kGreen, float(r.left), float(r.top), float(r.right), float(r.top), &plain, false);
    DrawLine(kGreen, float(r.left), float(r.bottom), float(r.right), float(r.bottom), &plain, false);
    DrawLine(kGreen, float(r.left), float(r.top), float(r.left), float(r.bottom), &plain, false);
    DrawLine(kGreen, float(r.right), float(r.top), float(r.right), float(r.bottom), &plain, false);
  }
  char text[32];
  std::snprintf(text, sizeof text, "x: %i, y: %i", mouseX_, mouseY_);
  static TextStyle overlayStyle("Arial", 20, kGreen, 0, kAlignCenter);
  DrawText(&overlayStyle, text, PixelRect(width_ - 150, height_ - 20, width_, height_));
}

bool IGraphics::Paint(const PixelRect& updateRect) {
  if (controls_.empty()) return true;
  if (strictRedraw_)
    PaintStrict(updateRect);
  else
    PaintLoose();
  if (showControlBounds_) PaintBoundsOverlay();
  return Present(scale_.ToWindow(updateRect));
}

}  // namespace quivorant
