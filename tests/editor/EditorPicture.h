// The effect's editor as pixels: a fresh effect instance over the test wrapper, its editor
// painted whole into its draw bitmap (no window needed), and the product's images read from
// resources/img for comparison.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effect/Quivorant.h"
#include "graphics/IGraphics.h"
#include "plug/IEffectHeadless.h"

namespace quivorant::test {

// Straight-alpha pixels (A << 24 | R << 16 | G << 8 | B), top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
  std::uint32_t Rgb(int x, int y) const { return At(x, y) & 0xFFFFFFu; }
  int Alpha(int x, int y) const { return int(At(x, y) >> 24); }
};

// One of the editor's images by file name ("bg.png"); empty when it cannot be read.
Picture LoadProductImage(const std::string& fileName);

class EditorUnderTest {
public:
  EditorUnderTest();
  ~EditorUnderTest();
  EditorUnderTest(const EditorUnderTest&) = delete;
  EditorUnderTest& operator=(const EditorUnderTest&) = delete;

  bool ok() const { return fx != nullptr && editor != nullptr && editor->DrawBitmapSurface() != nullptr; }
  // The whole editor, every control drawn in list order.
  Picture Render();
  // Saves what Render would show as a PNG; false when it cannot be written.
  bool Save(const std::string& path);
  // A host sets parameter `index` to a normalised value: record, controls, effect.
  void SetFromHost(int index, double normalized);

  HeadlessHost host;
  std::unique_ptr<CLS_QUIVORANT> fx;
  IGraphics* editor = nullptr;  // owned by fx
};

// Channel-wise distance of two colours (largest of R, G, B).
int ColourDistance(std::uint32_t a, std::uint32_t b);
// src over dst, straight alpha, as 0x00RRGGBB.
std::uint32_t Over(std::uint32_t src, std::uint32_t dst);

}  // namespace quivorant::test
