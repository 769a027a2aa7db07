// The editor's background image, first in the control list and so hit wherever no other control
// is. A right-click on it offers the editor's sizes (100 % to 200 %); the pick is the user's
// choice of scale, which the editor applies and asks the host to follow.
#pragma once

#include "graphics/controls/IBitmapControl.h"

namespace quivorant {

class IBackground : public IBitmapControl {
public:
  IBackground(IEffectBase* plug, const BitmapRef& bitmap);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  void PopupResult(const char* text, int index) override;
};

}  // namespace quivorant
