#include "graphics/controls/IRadioButtons.h"

#include <algorithm>
#include <utility>

#include "graphics/IGraphics.h"
#include "plug/Rounding.h"

namespace quivorant {

IRadioButtons::IRadioButtons(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap,
                             bool vertical, std::vector<int> boundaries, float hoverWeight)
    : IControl(plug, rect, paramIdx),
      bitmap_(bitmap),
      vertical_(vertical),
      boundaries_(std::move(boundaries)),
      hoverWeight_(hoverWeight) {}

IRadioButtons::~IRadioButtons() = default;

int IRadioButtons::ButtonAt(int offset) const {
  const int n = Buttons();
  if (EqualDivision()) {
    const int extent = Extent();
    if (extent <= 0) return 0;
    return FloorToInt(float(offset) * float(n) / float(extent));
  }
  // Only the boundaries that exist and that name a button are consulted.
  const int limit = std::min(n - 1, int(boundaries_.size()));
  for (int i = 0; i < limit; ++i) {
    if (boundaries_[size_t(i)] > offset) return i;
  }
  return n;
}

void IRadioButtons::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  if (!mods.right) {
    const int n = Buttons();
    const int offset = PixelRect::ClampToInt(vertical_ ? int64_t(y) - rect_.top : int64_t(x) - rect_.left);
    const int i = ButtonAt(offset);
    if (n < 2)
      value_ = 0.0;
    else if (!EqualDivision() && i >= n)
      value_ = 1.0;
    else
      value_ = double(i) / (n - 1);
  }
  SetDirty(true);
}

void IRadioButtons::OnMouseOver(int x, int y, const MouseModifiers&) {
  const int offset = PixelRect::ClampToInt(vertical_ ? int64_t(y) - rect_.top : int64_t(x) - rect_.left);
  const int i = std::clamp(ButtonAt(offset), 0, Buttons() - 1);
  if (i != hoveredButton_) {
    hoveredButton_ = i;
    SetDirty(false);
  }
}

void IRadioButtons::OnMouseOut() {
  hoveredButton_ = -1;
  SetDirty(false);
}

void IRadioButtons::OnMouseWheel(int, int, const MouseModifiers&, int) {}

void IRadioButtons::ButtonSpan(int i, int* start, int* end) const {
  const int n = Buttons();
  const int extent = Extent();
  i = std::clamp(i, 0, n - 1);
  if (EqualDivision()) {
    *start = FloorToInt(float(i) * float(extent) / float(n));
    *end = *start + RoundHalfAway(float(extent) / float(n));
    return;
  }
  const int count = int(boundaries_.size());
  *start = i == 0 ? 0 : boundaries_[size_t(std::min(i - 1, count - 1))];
  *end = i < count ? boundaries_[size_t(i)] : extent;
}

void IRadioButtons::DrawSlice(IGraphics* g, int start, int end, const BlendSpec* blend) {
  const PixelRect dest = vertical_ ? PixelRect(rect_.left, rect_.top + start, rect_.right, rect_.top + end)
                                   : PixelRect(rect_.left + start, rect_.top, rect_.left + end, rect_.bottom);
  g->DrawBitmap(bitmap_, dest, vertical_ ? 0 : start, vertical_ ? start : 0, blend);
}

bool IRadioButtons::Draw(IGraphics* g) {
  const int n = Buttons();
  int start = 0;
  int end = 0;
  if (hoveredButton_ >= 0) {
    ButtonSpan(hoveredButton_, &start, &end);
    const BlendSpec hover(kBlendAlpha, hoverWeight_);
    DrawSlice(g, start, end, &hover);
  }
  if (EqualDivision()) {
    const int extent = Extent();
    start = RoundHalfAway(float(n - 1) * float(value_) * float(extent) / float(n));
    end = start + RoundHalfAway(float(extent) / float(n));
  } else {
    ButtonSpan(RoundHalfAway((n - 1) * value_), &start, &end);
  }
  DrawSlice(g, start, end, &blend_);
  return true;
}

}  // namespace quivorant
