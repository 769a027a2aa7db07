// Knobs and bitmap controls: geometry, dragging, snapping, frames, rotation ends, hover dimming
// and value texts.
#include <cmath>

#include "graphics/BitmapCache.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/controls/IKnobMulti.h"
#include "graphics/controls/IKnobRotVal.h"
#include "raster/RasterMemBitmap.h"
#include "tests/graphics/ControlFixture.h"

namespace quivorant::test {
namespace {

constexpr double kPi = 3.14159265358979323846;
const TextStyle kValueStyle("Arial", 14, ArgbColor(200, 255, 255, 255));

// 80 x 40 two-layer knob: the left half is transparent but for a white bar pointing up from the
// centre; the right half (the body) is the pattern image's columns 40..79.
RasterBitmap* MakeKnobImage() {
  RasterBitmap* image = MakePatternBitmap(80, 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool bar = x >= 18 && x <= 21 && y <= 12;
      image->PixelData()[y * image->RowSpan() + x] = bar ? 0xFFFFFFFFu : 0u;
    }
  }
  return image;
}

// Direction of the white bar around (cx, cy) in degrees, clockwise from up.
double BarDirection(RasterBitmap* px, int cx, int cy) {
  double sx = 0, sy = 0, n = 0;
  for (int y = cy - 20; y < cy + 20; ++y) {
    for (int x = cx - 20; x < cx + 20; ++x) {
      const RasterPixel p = PixelAt(px, x, y);
      if (((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0 && (p & 0xFF) > 0xC0) {
        sx += x + 0.5 - cx;
        sy += y + 0.5 - cy;
        n += 1;
      }
    }
  }
  if (n == 0) return NAN;
  return std::atan2(sx / n, -sy / n) * 180.0 / kPi;
}

class Knobs : public ControlFixture {
protected:
  // Two-layer knob: body = right half, rotating layer = left half under a cache key of its own
  // (keys made by SplitBitmap are shared by every editor of the process).
  IKnobRotVal* RotKnob(int cx, int cy, int paramIdx, int widthOverride = 0, int steps = -1) {
    RasterBitmap* image = MakeKnobImage();
    const int layerKey = -100000 - FreshKey();
    auto* layer = new RasterMemBitmap(40, 40, 4);
    auto* bodyPixels = new RasterMemBitmap(40, 40, 4);
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        layer->PixelData()[y * layer->RowSpan() + x] = PixelAt(image, x, y);
        bodyPixels->PixelData()[y * bodyPixels->RowSpan() + x] = PixelAt(image, x + 40, y);
      }
    }
    delete image;
    BitmapCache::Instance().Add(layerKey, layer);
    BitmapRef body = Image([bodyPixels] { return bodyPixels; }, 1);
    body.companionKey = layerKey;
    auto* knob = new IKnobRotVal(&core, cx, cy, paramIdx, body, kValueStyle, 2, 300, 4.0, widthOverride, steps);
    editor->AttachControl(knob);
    return knob;
  }
};

TEST_F(Knobs, RectanglesFollowImageTextLineAndWidthOverride) {
  IKnobRotVal* freq = RotKnob(52, 174, 1, 60);
  IKnobRotVal* bandwidth = RotKnob(108, 174, 2);
  EXPECT_EQ(freq->Rect(), PixelRect(22, 154, 82, 210));
  EXPECT_EQ(bandwidth->Rect(), PixelRect(88, 154, 128, 210));
  EXPECT_EQ(bandwidth->TargetRect(), bandwidth->Rect());
  BitmapRef plain = Pattern(40, 40, 1);
  IKnobRotVal noText(&core, 50, 50, 1, plain, kValueStyle, -1);
  EXPECT_EQ(noText.Rect(), PixelRect(30, 30, 70, 70));
}

TEST_F(Knobs, DragUpFourHeightsSweepsTheRangeAndShiftIsTenTimesFiner) {
  IKnobRotVal* knob = RotKnob(108, 174, 2);
  Attach();
  const double start = knob->Value();
  EXPECT_NEAR(start, 49.0 / 99.0, 1e-12);
  editor->OnMouseDown(108, 170, Buttons(true));
  editor->OnMouseDrag(108, 114, Buttons(true));  // 56 pixels up on a 56-pixel knob
  EXPECT_NEAR(knob->Value(), start + 0.25, 1e-12);
  editor->OnMouseDrag(108, 58, Buttons(true, false, true));
  EXPECT_NEAR(knob->Value(), start + 0.275, 1e-12);
  editor->OnMouseDrag(108, 2, Buttons(true, false, false, true));
  EXPECT_NEAR(knob->Value(), start + 0.3, 1e-12);
  editor->OnMouseDrag(108, -2000, Buttons(true));
  EXPECT_DOUBLE_EQ(knob->Value(), 1.0);  // clamped
  editor->OnMouseUp(108, -2000, Buttons(true));
  EXPECT_EQ(Plain(2), 100.0);
  EXPECT_EQ(core.Log().front(), "begin 2");
  EXPECT_EQ(core.Log().back(), "end 2");
  EXPECT_EQ(core.Count("edit", 2), 5);  // four drags and the release
}

TEST_F(Knobs, StepsSnapOnRelease) {
  IKnobRotVal* knob = RotKnob(108, 174, 2, 0, 4);
  Attach();
  knob->SetValue(0.6);
  knob->OnMouseUp(0, 0, Buttons(true));
  EXPECT_DOUBLE_EQ(knob->Value(), 0.5);
  knob->SetValue(0.63);
  knob->OnMouseUp(0, 0, Buttons(true));
  EXPECT_DOUBLE_EQ(knob->Value(), 0.75);
}

TEST_F(Knobs, RotationRunsFromCounterClockwiseToClockwiseEndAsSeen) {
  IKnobRotVal* knob = RotKnob(108, 174, 2);
  Attach();
  const struct {
    double value;
    double degrees;
  } cases[] = {{0.0, -150.0}, {0.25, -75.0}, {0.5, 0.0}, {1.0, 150.0}};
  for (const auto& c : cases) {
    knob->SetValue(c.value);
    EXPECT_NEAR(knob->Angle() * 180.0 / kPi, c.degrees, 1e-4);
    PaintAll();
    EXPECT_NEAR(BarDirection(editor->DrawBitmapSurface(), 108, 174), c.degrees, 8.0) << "value " << c.value;
  }
}

TEST_F(Knobs, BodyIsDrawnUnrotatedAndDimmedWhileHovered) {
  RotKnob(108, 174, 2);
  Attach();
  editor->EnableMouseOver(true);
  PaintAll();
  // The body fills (88, 154)-(128, 194) with the right half of the image.
  EXPECT_EQ(At(88, 154), PatternPixel(40, 0));
  EXPECT_EQ(At(127, 193), PatternPixel(79, 39));
  editor->OnMouseOver(100, 160, MouseModifiers());
  PaintAll();
  const RasterPixel dimmed = At(88, 154);
  EXPECT_NE(dimmed, PatternPixel(40, 0));
  // 90 % of the pattern's red over the paper's.
  const int red = int((dimmed >> 16) & 0xFF);
  const int expected = int(0.9 * 40 + 0.1 * 0x10);
  EXPECT_NEAR(red, expected, 2);
  editor->OnMouseOut();
  PaintAll();
  EXPECT_EQ(At(88, 154), PatternPixel(40, 0));
}

// Column centroid and row range of the pixels that differ from the paper inside a band.
struct Ink {
  double centreX = 0;
  int top = 1 << 30;
  int bottom = -1;
  int count = 0;
};
Ink InkIn(RasterBitmap* px, int left, int top, int right, int bottom) {
  Ink ink;
  double sum = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (PixelAt(px, x, y) == kPaper) continue;
      sum += x;
      ++ink.count;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  if (ink.count) ink.centreX = sum / ink.count;
  return ink;
}

TEST_F(Knobs, ValueTextWithLabelIsCentredOnTheLineBelowTheImage) {
  // A fully transparent knob leaves only the text on the paper.
  const BitmapRef clear = Image([] { return MakeSolidBitmap(40, 40, 0u); }, 1);
  editor->AttachControl(new IKnobRotVal(&core, 52, 174, 1, clear, kValueStyle, 2, 300, 4.0, 60));
  editor->AttachControl(new IKnobRotVal(&core, 152, 74, 1, clear, kValueStyle, 2, 300, 4.0, 60, -1, 0.1f, false));
  Attach();
  PaintAll();
  const Ink ink = InkIn(editor->DrawBitmapSurface(), 0, 120, 395, 248);
  ASSERT_GT(ink.count, 20);
  EXPECT_GE(ink.top, 210 - 14);  // the text line is (22, 196)-(82, 210)
  EXPECT_LE(ink.bottom, 212);
  EXPECT_NEAR(ink.centreX, 52.0, 3.0);
  // The same knob without its unit label prints "2000" only: less ink, also centred.
  const Ink bare = InkIn(editor->DrawBitmapSurface(), 0, 0, 395, 120);
  ASSERT_GT(bare.count, 10);
  EXPECT_GE(bare.top, 110 - 14);
  EXPECT_NEAR(bare.centreX, 152.0, 3.0);
  EXPECT_GT(ink.count, bare.count + 10);
}

TEST_F(Knobs, FilmstripKnobPicksFramesByRoundedValue) {
  const BitmapRef wave = Pattern(192, 32, 6);
  auto* knob = new IKnobMulti(&core, PixelRect(201, 158, 261, 210), 5, wave, kValueStyle, 231, 174, 6);
  editor->AttachControl(knob);
  Attach();
  const struct {
    double value;
    int column;
  } cases[] = {{0.0, 0}, {0.5, 96}, {0.69, 96}, {0.71, 128}, {1.0, 160}};
  for (const auto& c : cases) {
    knob->SetValue(c.value);
    PaintAll();
    EXPECT_EQ(At(215, 158), PatternPixel(c.column, 0)) << c.value;
    EXPECT_EQ(At(246, 189), PatternPixel(c.column + 31, 31)) << c.value;
    EXPECT_EQ(At(214, 170), kPaper);
    EXPECT_EQ(At(230, 190), kPaper);  // the image ends above the gap
  }
  // The wave name is printed beneath.
  EXPECT_GT(InkIn(editor->DrawBitmapSurface(), 201, 196, 261, 212).count, 10);
}

TEST_F(Knobs, BitmapControlShowsTheFrameOfItsValue) {
  const BitmapRef strip = Pattern(20, 40, 4);
  auto* control = new IBitmapControl(&core, PixelRect(10, 10, 30, 20), 4, strip, nullptr, true);
  editor->AttachControl(control);
  Attach();
  for (int frame = 1; frame <= 4; ++frame) {
    control->SetValue((frame - 1) / 3.0);
    PaintAll();
    EXPECT_EQ(At(10, 10), PatternPixel(0, (frame - 1) * 10)) << frame;
  }
  const BitmapRef single = Pattern(20, 10, 1);
  auto* plain = new IBitmapControl(&core, PixelRect(50, 10, 70, 20), 4, single);
  editor->AttachControl(plain);
  plain->SetValue(1.0);
  PaintAll();
  EXPECT_EQ(At(50, 10), PatternPixel(0, 0));
}

}  // namespace
}  // namespace quivorant::test
