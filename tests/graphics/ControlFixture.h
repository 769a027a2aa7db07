// An attached off-screen editor over the test core, with pattern images and pixel access, for
// the control tests.
#pragma once

#include <gtest/gtest.h>

#include "raster/RasterSysBitmap.h"
#include "tests/graphics/TestCore.h"
#include "tests/graphics/TestEditor.h"

namespace quivorant::test {

constexpr RasterPixel kPaper = 0xFF101010u;

inline MouseModifiers Buttons(bool left, bool right = false, bool shift = false, bool control = false) {
  MouseModifiers m;
  m.left = left;
  m.right = right;
  m.shift = shift;
  m.control = control;
  return m;
}

class ControlFixture : public ::testing::Test {
protected:
  void SetUp() override { editor = new TestEditor(&core, 395, 248); }
  // Hands the editor to the core, which pushes every parameter into the controls.
  void Attach() {
    core.AttachGraphics(editor);
    core.Clear();
  }
  BitmapRef Image(std::function<RasterBitmap*()> make, int frames) {
    const int key = FreshKey();
    editor->resources[key] = std::move(make);
    return editor->LoadBitmap(key, "img/test.png", frames);
  }
  BitmapRef Pattern(int w, int h, int frames) {
    return Image([w, h] { return MakePatternBitmap(w, h); }, frames);
  }
  // Repaints the whole editor over plain paper.
  void PaintAll() {
    FillBitmap(editor->DrawBitmapSurface(), kPaper);
    editor->Paint(PixelRect(0, 0, 395, 248));
  }
  RasterPixel At(int x, int y) { return PixelAt(editor->DrawBitmapSurface(), x, y); }
  double Plain(int paramIdx) { return core.GetParam(paramIdx)->value; }

  TestCore core;
  TestEditor* editor = nullptr;  // owned by the core once attached
  void TearDown() override {
    if (core.Editor() != editor) delete editor;
  }
};

}  // namespace quivorant::test
