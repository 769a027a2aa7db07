// The effect's editor at its defaults, as pixels (the picture is saved in the build folder):
// the background wherever no control draws, each knob's pointer at the angle of its default
// value, the value texts, the selected filter type, the version text and the mask over the LFO
// strip. Expected pixels come from the product's images in resources/img, composed here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "effect/QuivorantParams.h"
#include "graphics/controls/GRAPH.h"
#include "graphics/controls/IControl.h"
#include "raster/RasterPng.h"
#include "tests/editor/EditorPicture.h"

namespace quivorant::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Box {
  int left, top, right, bottom;  // right and bottom just outside
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Pixels inside `box` whose colour differs from the background image's.
int DifferentFromBackground(const Picture& shot, const Picture& bg, const Box& box) {
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) count += shot.Rgb(x, y) != bg.Rgb(x, y);
  }
  return count;
}

int DifferentPixels(const Picture& a, const Picture& b, const Box& box) {
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) count += a.Rgb(x, y) != b.Rgb(x, y);
  }
  return count;
}

class EditorPixels : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(e.ok());
    bg = LoadProductImage("bg.png");
    knob = LoadProductImage("knob.png");
    types = LoadProductImage("flt_tp.png");
    mask = LoadProductImage("mask.png");
    ASSERT_EQ(bg.width, 395);
    ASSERT_EQ(knob.width, 80);
    ASSERT_EQ(types.width, 72);
    ASSERT_EQ(mask.width, 395);
    shot = e.Render();
    ASSERT_EQ(shot.width, 395);
    ASSERT_EQ(shot.height, 248);
  }

  // The knob at centre (cx, cy) as the images compose it: the body (right half of knob.png)
  // over the background, the pointer layer (left half) turned clockwise on screen by `degrees`
  // about the centre, nearest pixel, read `shift` pixels off in both directions (the knob reads
  // its pointer up to a pixel up and left towards the ends of its sweep).
  std::uint32_t ComposedKnob(int cx, int cy, double degrees, double shift, int x, int y) const {
    std::uint32_t out = bg.Rgb(x, y);
    const int bx = x - (cx - 20), by = y - (cy - 20);
    if (bx >= 0 && bx < 40 && by >= 0 && by < 40) out = Over(knob.At(40 + bx, by), out);
    const double a = degrees * kPi / 180.0;
    const double dx = x - cx + 0.5, dy = y - cy + 0.5;
    const int sx = int(std::floor(20.0 + shift + dx * std::cos(a) + dy * std::sin(a)));
    const int sy = int(std::floor(20.0 + shift - dx * std::sin(a) + dy * std::cos(a)));
    if (sx >= 0 && sx < 40 && sy >= 0 && sy < 40) out = Over(knob.At(sx, sy), out);
    return out;
  }

  // The pointer angle that best explains the drawn knob, in whole degrees.
  int FindPointerAngle(int cx, int cy, double normalized) const {
    const double shift = -std::fabs(normalized - 0.5) * 2.0;
    int best = 0;
    long bestError = -1;
    for (int degrees = -180; degrees < 180; ++degrees) {
      long error = 0;
      for (int y = cy - 20; y < cy + 20; ++y) {
        for (int x = cx - 20; x < cx + 20; ++x)
          error += ColourDistance(ComposedKnob(cx, cy, degrees, shift, x, y), shot.Rgb(x, y));
      }
      if (bestError < 0 || error < bestError) {
        bestError = error;
        best = degrees;
      }
    }
    return best;
  }

  EditorUnderTest e;
  Picture bg, knob, types, mask, shot;
};

TEST_F(EditorPixels, SavedPictureIsTheWholeEditor) {
  ASSERT_TRUE(e.Save(QUIVORANT_EDITOR_PNG));
  const Picture saved = [] {
    std::unique_ptr<RasterBitmap> b(RasterLoadPngFile(QUIVORANT_EDITOR_PNG, nullptr));
    Picture p;
    if (!b) return p;
    p.width = b->Width();
    p.height = b->Height();
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) p.pixels.push_back(b->PixelData()[y * b->RowSpan() + x]);
    }
    return p;
  }();
  ASSERT_EQ(saved.width, 395);
  ASSERT_EQ(saved.height, 248);
  EXPECT_EQ(DifferentPixels(saved, shot, {0, 0, 395, 248}), 0);
}

TEST_F(EditorPixels, BackgroundWhereNoControlDraws) {
  // Every control but the background itself and the invisible link area.
  std::vector<Box> drawn;
  for (int i = 1; i < e.editor->NControls(); ++i) {
    if (i == 2) continue;  // the link area draws nothing
    const PixelRect& r = e.editor->GetControl(i)->Rect();
    drawn.push_back({r.left, r.top, r.right + 1, r.bottom + 1});
  }
  int checked = 0, wrong = 0;
  for (int y = 0; y < 248; ++y) {
    for (int x = 0; x < 395; ++x) {
      bool covered = false;
      for (const Box& b : drawn) covered = covered || b.Contains(x, y);
      if (covered) continue;
      ++checked;
      wrong += shot.Rgb(x, y) != bg.Rgb(x, y);
    }
  }
  EXPECT_GT(checked, 395 * 248 / 2);
  EXPECT_EQ(wrong, 0);
}

TEST_F(EditorPixels, KnobPointersSitAtTheirDefaultAngles) {
  struct Knob {
    int param, cx;
  };
  const Knob knobs[] = {{kParamFilterFreq, 52},
                        {kParamFilterBandwidth, 108},
                        {kParamFilterMix, 164},
                        {kParamLfoRate, 287},
                        {kParamLfoDepth, 343}};
  for (const Knob& k : knobs) {
    // A 300-degree sweep: value 0 at -150 degrees (counter-clockwise end), 1 at +150.
    const double n = e.fx->GetParam(k.param)->NormalizedValue();
    const double expected = -150.0 + 300.0 * n;
    EXPECT_NEAR(FindPointerAngle(k.cx, 174, n), expected, 3.0) << "parameter " << k.param << " at " << n;
  }
  // And the search is not fooled: turning a knob moves its pointer with it.
  e.SetFromHost(kParamFilterFreq, 0.5);
  shot = e.Render();
  EXPECT_NEAR(FindPointerAngle(52, 174, 0.5), 0.0, 3.0);
}

TEST_F(EditorPixels, ValueTextsUnderTheKnobsFollowTheValues) {
  struct Text {
    int param, left, right;
  };
  const Text texts[] = {{kParamFilterFreq, 22, 82}, {kParamFilterBandwidth, 88, 128}, {kParamFilterMix, 144, 184},
                        {kParamLfoWave, 201, 261},  {kParamLfoRate, 267, 307},        {kParamLfoDepth, 323, 363}};
  std::vector<Picture> before(1, shot);
  for (const Text& t : texts) {
    const Box line{t.left, 196, t.right, 210};
    EXPECT_GT(DifferentFromBackground(shot, bg, line), 10) << "parameter " << t.param;
  }
  for (const Text& t : texts) {
    const Box line{t.left, 196, t.right, 210};
    const double n = e.fx->GetParam(t.param)->NormalizedValue();
    e.SetFromHost(t.param, n > 0.5 ? 0.0 : 1.0);
    const Picture after = e.Render();
    EXPECT_GT(DifferentPixels(shot, after, line), 10) << "parameter " << t.param;
  }
}

TEST_F(EditorPixels, TheSelectedFilterTypeShowsItsButton) {
  const int selected = int(std::lround(e.fx->GetParam(kParamFilterType)->value));
  ASSERT_EQ(selected, 1);  // Highpass by default
  for (int button = 0; button < 3; ++button) {
    int off = 0;
    for (int y = 112; y < 125; ++y) {
      for (int x = 100 + 24 * button; x < 124 + 24 * button; ++x) {
        const std::uint32_t want = button == selected ? Over(types.At(x - 100, y - 112), bg.Rgb(x, y)) : bg.Rgb(x, y);
        off += ColourDistance(shot.Rgb(x, y), want) > 2;
      }
    }
    EXPECT_EQ(off, 0) << "button " << button;
  }
  // The button image is not the background there, so the check above can tell them apart.
  EXPECT_GT(DifferentFromBackground(shot, bg, {124, 112, 148, 125}), 20);
}

TEST_F(EditorPixels, VersionTextIsRightAligned) {
  const Box rect{223, 7, 261, 25};
  int leftmost = 261, rightmost = 222;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (shot.Rgb(x, y) == bg.Rgb(x, y)) continue;
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  ASSERT_GT(DifferentFromBackground(shot, bg, rect), 15) << "no text";
  // "v1.30" is narrower than the rectangle: it hugs the right end and leaves room on the left.
  EXPECT_GE(rightmost, 256);
  EXPECT_GT(leftmost - rect.left, rect.right - 1 - rightmost);
  // Nothing of it outside its rectangle.
  EXPECT_EQ(DifferentFromBackground(shot, bg, {200, 7, 223, 25}), 0);
}

TEST_F(EditorPixels, TheMaskCoversTheLfoStrip) {
  auto maskOff = [this](const Picture& p) {
    int off = 0, opaque = 0;
    for (int y = 211; y < 217; ++y) {
      for (int x = 0; x < 395; ++x) {
        if (mask.Alpha(x, y - 211) != 255) continue;
        ++opaque;
        off += p.Rgb(x, y) != mask.Rgb(x, y - 211);
      }
    }
    EXPECT_GT(opaque, 0);
    return off;
  };
  EXPECT_EQ(maskOff(shot), 0);
  // With a target the strip shows and draws beneath the mask; the mask's opaque parts stay on top.
  e.SetFromHost(kParamLfoTarget, 1.0 / 3.0);
  ASSERT_TRUE(e.fx->PositionDisplay()->DisplayShown());
  const Picture shown = e.Render();
  EXPECT_EQ(maskOff(shown), 0);
}

}  // namespace
}  // namespace quivorant::test
