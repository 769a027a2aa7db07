// A list parameter shown as one frame of a vertically stacked filmstrip. A left click opens a
// list (IDropDownChild) beside it that shows every entry as one image; a click on an entry
// writes the drop-down's value and hides the list, and the drop-down hands the new value to the
// core at its next draw. The list is attached to the editor on first opening and afterwards only
// hidden and shown; the editor destroys it with the other controls.
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IDropDownChild;

class IDropDown : public IControl {
public:
  enum Placement : int {
    kBelowLeft = 0,
    kBelowRight = 1,
    kAboveLeft = 2,
    kAboveRight = 3,
    // any other value: below, centred
  };

  IDropDown(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& closedImage, const BitmapRef& itemImage,
            int columns = 1, int placement = kBelowLeft);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;
  void SetValueFromParam(double normalizedValue) override;
  void OnMouseWheel(int x, int y, const MouseModifiers& mods, int steps) override;
  void ForgetReference(const IControl* gone) override;

  IDropDownChild* List() const { return list_; }
  bool IsOpen() const { return clickLatch_; }

private:
  // Where the list opens, by placement.
  void ListOrigin(int* x, int* y) const;

  IDropDownChild* list_ = nullptr;
  BitmapRef closedImage_;
  BitmapRef itemImage_;
  double lastDrawnValue_ = 0.0;
  int columns_;
  int placement_;
  bool clickLatch_ = false;
  bool listExists_ = false;
};

}  // namespace quivorant
