// The open list of an IDropDown: the whole item image, entries stacked in rows (and columns);
// a left click on an entry writes the drop-down's value and hides the list.
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IDropDownChild : public IControl {
public:
  // `value` belongs to `source` (the drop-down); the list forgets both if the drop-down goes.
  IDropDownChild(IEffectBase* plug, int x, int y, const BitmapRef& itemImage, double* value, int columns,
                 const IControl* source);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;
  void ForgetReference(const IControl* gone) override;

private:
  BitmapRef itemImage_;
  double* dropDownValue_;
  int columns_;
  const IControl* source_;
};

}  // namespace quivorant
