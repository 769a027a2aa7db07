// The editor drawn larger than 100 %: at 200 % from the large art pixel for pixel, at 150 % close
// to the 200 % picture shrunk by area averaging, and the mouse finding the same controls at every
// size. Pictures are saved beside the 100 % one.

#include <gtest/gtest.h>

#include <cmath>

#include "effect/QuivorantParams.h"
#include "graphics/controls/IControl.h"
#include "raster/RasterPng.h"
#include "tests/editor/EditorPicture.h"

namespace quivorant::test {
namespace {

// The 200 % picture shrunk to width x height, each pixel the area-weighted mean of what it covers.
Picture Shrink(const Picture& big, int width, int height) {
  Picture out{width, height, {}};
  const double fx = double(big.width) / width, fy = double(big.height) / height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double sum[3] = {0, 0, 0}, area = 0;
      for (int sy = int(y * fy); sy < std::min(big.height, int(std::ceil((y + 1) * fy))); ++sy) {
        const double wy = std::min((y + 1) * fy, sy + 1.0) - std::max(y * fy, double(sy));
        for (int sx = int(x * fx); sx < std::min(big.width, int(std::ceil((x + 1) * fx))); ++sx) {
          const double w = wy * (std::min((x + 1) * fx, sx + 1.0) - std::max(x * fx, double(sx)));
          for (int c = 0; c < 3; ++c) sum[c] += w * ((big.At(sx, sy) >> (16 - 8 * c)) & 0xFF);
          area += w;
        }
      }
      std::uint32_t p = 0xFF000000u;
      for (int c = 0; c < 3; ++c) p |= std::uint32_t(std::lround(sum[c] / area)) << (16 - 8 * c);
      out.pixels.push_back(p);
    }
  }
  return out;
}

Picture RenderAt(EditorUnderTest& e, int percent) {
  e.editor->RestoreChosenScale(percent);
  return e.Render();
}

TEST(EditorScale, AtTwoHundredPercentTheLargeArtIsDrawnPixelForPixel) {
  EditorUnderTest e;
  ASSERT_TRUE(e.ok());
  const Picture shot = RenderAt(e, 200);
  ASSERT_EQ(shot.width, 790);
  ASSERT_EQ(shot.height, 496);
  const Picture bg = LoadProductImage("2x/bg.png");
  const Picture types = LoadProductImage("2x/flt_tp.png");
  ASSERT_EQ(bg.width, 790);
  ASSERT_EQ(types.width, 144);
  int checked = 0, wrong = 0;
  for (int y = 0; y < 496; ++y) {
    for (int x = 0; x < 790; ++x) {
      bool covered = false;
      for (int i = 1; i < e.editor->NControls(); ++i) {
        const PixelRect& r = e.editor->GetControl(i)->Rect();
        // Rectangles include their right and bottom edges; the link area (2) draws nothing.
        covered =
            covered || (i != 2 && x >= 2 * r.left && x < 2 * r.right + 2 && y >= 2 * r.top && y < 2 * r.bottom + 2);
      }
      if (covered) continue;
      ++checked;
      wrong += shot.Rgb(x, y) != bg.Rgb(x, y);
    }
  }
  EXPECT_GT(checked, 790 * 496 / 2);
  EXPECT_EQ(wrong, 0);
  // The selected filter type (highpass, the middle button) is the large button image over the
  // large background, unfiltered.
  int off = 0;
  for (int y = 224; y < 250; ++y) {
    for (int x = 248; x < 296; ++x)
      off += ColourDistance(shot.Rgb(x, y), Over(types.At(x - 200, y - 224), bg.Rgb(x, y))) > 2;
  }
  EXPECT_EQ(off, 0);
  EXPECT_TRUE(e.Save(QUIVORANT_EDITOR_PNG_2X));
}

TEST(EditorScale, AtOneHundredFiftyPercentThePictureIsTheLargeOneShrunk) {
  EditorUnderTest e;
  ASSERT_TRUE(e.ok());
  const Picture expected = [&] {
    const Picture big = RenderAt(e, 200);
    return Shrink(big, 593, 372);
  }();
  const Picture shot = RenderAt(e, 150);
  ASSERT_EQ(shot.width, 593);
  ASSERT_EQ(shot.height, 372);
  // Art matches closely; text is drawn by the font at each size, so its glyph edges differ.
  int far = 0;
  double total = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const int d = ColourDistance(shot.Rgb(x, y), expected.Rgb(x, y));
      total += d;
      far += d > 48;
    }
  }
  const double pixels = double(shot.width) * shot.height;
  EXPECT_LT(total / pixels, 3.0);
  EXPECT_LT(far / pixels, 0.01);
}

TEST(EditorScale, TheMouseFindsTheSameControlsAtEverySize) {
  EditorUnderTest e;
  ASSERT_TRUE(e.ok());
  std::vector<int> atOne;
  for (int y = 0; y < 248; ++y) {
    for (int x = 0; x < 395; ++x) atOne.push_back(e.editor->FindControlAt(x, y));
  }
  for (int percent : {125, 150, 175, 200}) {
    e.editor->RestoreChosenScale(percent);
    const double s = percent / 100.0;
    int wrong = 0;
    for (int y = 0; y < 248; ++y) {
      for (int x = 0; x < 395; ++x) {
        // The first and the last window pixel drawn for this editor unit.
        const int first[2] = {int(std::lround(x * s)), int(std::lround(y * s))};
        const int last[2] = {int(std::lround((x + 1) * s)) - 1, int(std::lround((y + 1) * s)) - 1};
        for (const int* p : {first, last}) {
          e.editor->OnMouseOver(p[0], p[1], MouseModifiers{});
          wrong += e.editor->HoveredControl() != atOne[size_t(y) * 395 + size_t(x)];
        }
      }
    }
    EXPECT_EQ(wrong, 0) << percent << " %";
  }
}

}  // namespace
}  // namespace quivorant::test
