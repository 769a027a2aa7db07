// A control whose drawing is a test's lambda, so a test can call the editor's drawing operations
// inside a real paint (with its draw rectangle) and then read the pixels.
#pragma once

#include <functional>

#include "graphics/controls/IControl.h"

namespace quivorant::test {

class DrawProbe : public IControl {
public:
  DrawProbe(const PixelRect& rect, std::function<void(IGraphics*)> draw)
      : IControl(nullptr, rect), draw_(std::move(draw)) {}
  bool Draw(IGraphics* graphics) override {
    draw_(graphics);
    return true;
  }

private:
  std::function<void(IGraphics*)> draw_;
};

}  // namespace quivorant::test
