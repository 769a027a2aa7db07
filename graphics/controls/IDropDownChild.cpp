#include "graphics/controls/IDropDownChild.h"

#include <algorithm>

#include "graphics/IGraphics.h"
#include "plug/Rounding.h"

namespace quivorant {

IDropDownChild::IDropDownChild(IEffectBase* plug, int x, int y, const BitmapRef& itemImage, double* value, int columns,
                               const IControl* source)
    : IControl(plug, PixelRect(x, y, PixelRect::ClampToInt(int64_t(x) + itemImage.width),
                               PixelRect::ClampToInt(int64_t(y) + itemImage.height))),
      itemImage_(itemImage),
      dropDownValue_(value),
      columns_(columns > 0 ? columns : 1),
      source_(source) {}

void IDropDownChild::OnMouseDown(int x, int y, const MouseModifiers& mods) {
  if (mods.left && itemImage_.width > 0 && itemImage_.height > 0) {
    const int n = itemImage_.Frames();
    const int c = columns_;
    const int column = std::max(0, FloorToInt(float(int64_t(x) - rect_.left) * float(c) / float(itemImage_.width)));
    const int rowsPerColumn = (n + c - 1) / c;
    const float dy = float(int64_t(y) - rect_.top);
    int row = -1;
    for (int i = 0; i < n; ++i) {
      if (dy < float(i + 1) * float(itemImage_.height) * (1.0f / float(rowsPerColumn))) {
        row = i;
        break;
      }
    }
    if (row >= 0) {
      double chosen = double(std::min(column, c - 1) * rowsPerColumn + row) / double(n - 1);
      if (!(chosen <= 1.0)) chosen = 0.0;  // also a one-entry list (0 / 0)
      if (dropDownValue_) *dropDownValue_ = chosen;
      SetDirty(false);
      Hide(true);
    }
  }
  SetDirty(false);
}

void IDropDownChild::ForgetReference(const IControl* gone) {
  IControl::ForgetReference(gone);
  if (gone == source_) {
    source_ = nullptr;
    dropDownValue_ = nullptr;
  }
}

bool IDropDownChild::Draw(IGraphics* g) {
  g->DrawBitmap(itemImage_, rect_, 0, 0, &blend_);
  return true;
}

}  // namespace quivorant
