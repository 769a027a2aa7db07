// A static image laid over other controls. Attached last, it is the first hit in its area and so
// shields the controls beneath it from the mouse; it never prompts for, changes or reports a
// parameter (its index may name none).
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IMask : public IControl {
public:
  IMask(IEffectBase* plug, int x, int y, int paramIdx, const BitmapRef& bitmap);

  bool Draw(IGraphics* graphics) override;

private:
  BitmapRef bitmap_;
};

}  // namespace quivorant
