// Shows one frame of a filmstrip for its value (the editor's background is one, drawn opaque).
#pragma once

#include "graphics/BitmapRef.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class IBitmapControl : public IControl {
public:
  IBitmapControl(IEffectBase* plug, const PixelRect& rect, int paramIdx, const BitmapRef& bitmap,
                 const BlendSpec* blend = nullptr, bool verticalFrames = false);

  bool Draw(IGraphics* graphics) override;

  const BitmapRef& Bitmap() const { return bitmap_; }

private:
  bool vertical_;
  BitmapRef bitmap_;
};

}  // namespace quivorant
