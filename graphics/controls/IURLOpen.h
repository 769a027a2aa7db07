// An invisible click area that opens the maker's web page for this effect.
#pragma once

#include "graphics/controls/IControl.h"

namespace quivorant {

class IURLOpen : public IControl {
public:
  static constexpr const char* kErrorText = "Cannot open url. Check your default browser.";

  IURLOpen(IEffectBase* plug, const PixelRect& rect);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  bool Draw(IGraphics* graphics) override;

  // The address a click opens: the maker's web address, a slash and the effect name.
  void BuildAddress(char* out, int capacity) const;
};

}  // namespace quivorant
