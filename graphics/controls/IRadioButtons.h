// A row (or column) of mutually exclusive buttons for one list parameter. The bitmap holds every
// button in its selected look side by side; only the selected and the hovered button are drawn,
// the background beneath shows the others unselected. Buttons divide the bitmap equally unless a
// table of boundaries (pixel offsets where buttons 2, 3, ... begin) is given.
#pragma once

#include <vector>

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IRadioButtons : public IControl {
public:
  // The bitmap's frame count is the number of buttons.
  IRadioButtons(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap, bool vertical = false,
                std::vector<int> boundaries = {0}, float hoverWeight = 0.2f);
  ~IRadioButtons() override;

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  void OnMouseOver(int x, int y, const MouseModifiers& mods) override;
  void OnMouseOut() override;
  bool Draw(IGraphics* graphics) override;
  void OnMouseWheel(int x, int y, const MouseModifiers& mods, int steps) override;

  int HoveredButton() const { return hoveredButton_; }

private:
  int Buttons() const { return bitmap_.Frames(); }
  bool EqualDivision() const { return boundaries_.empty() || boundaries_[0] < 1; }
  int Extent() const { return vertical_ ? bitmap_.height : bitmap_.width; }
  // Button under an offset from the control's start; Buttons() when past the last boundary.
  int ButtonAt(int offset) const;
  // Pixel span [start, end) of button i inside the bitmap.
  void ButtonSpan(int i, int* start, int* end) const;
  void DrawSlice(IGraphics* graphics, int start, int end, const BlendSpec* blend);

  BitmapRef bitmap_;
  bool vertical_;
  int hoveredButton_ = -1;
  std::vector<int> boundaries_;
  float hoverWeight_;
};

}  // namespace quivorant
