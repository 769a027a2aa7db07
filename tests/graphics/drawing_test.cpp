// Bitmap loading and caching, frame offsets, splitting, clipping to the draw rectangle, fills,
// text and the handling of images that are missing.
#include <gtest/gtest.h>
#include <cmath>

#include "graphics/controls/IBitmapControl.h"
#include "raster/RasterSysBitmap.h"
#include "tests/graphics/DrawProbe.h"
#include "tests/graphics/TestCore.h"
#include "tests/graphics/TestEditor.h"

namespace quivorant::test {
namespace {

constexpr RasterPixel kPaper = 0xFF101010u;
const BlendSpec kCopy(kBlendCopy, 1.0f);

class Drawing : public ::testing::Test {
protected:
  void SetUp() override {
    editor = new TestEditor(&core, 395, 248);
    core.AttachGraphics(editor);
  }
  // Registers a pattern image under a fresh key and loads it.
  BitmapRef Pattern(int w, int h, int frames) {
    const int key = FreshKey();
    editor->resources[key] = [w, h] { return MakePatternBitmap(w, h); };
    return editor->LoadBitmap(key, "img/test.png", frames);
  }
  // Paints `draw` over plain paper, limited to `update`.
  void PaintWith(const PixelRect& update, std::function<void(IGraphics*)> draw) {
    FillBitmap(editor->DrawBitmapSurface(), kPaper);
    editor->AttachControl(new DrawProbe(PixelRect(0, 0, 395, 248), std::move(draw)));
    editor->Paint(update);
  }
  RasterPixel At(int x, int y) { return PixelAt(editor->DrawBitmapSurface(), x, y); }

  TestCore core;
  TestEditor* editor = nullptr;
};

TEST_F(Drawing, SameResourceDecodesOncePerProcess) {
  const int key = FreshKey();
  editor->resources[key] = [] { return MakePatternBitmap(8, 8); };
  const BitmapRef first = editor->LoadBitmap(key, "img/a.png", 1);
  const BitmapRef second = editor->LoadBitmap(key, "img/a.png", 2);
  EXPECT_EQ(editor->loads, 1);
  EXPECT_EQ(first.bitmap, second.bitmap);
  EXPECT_EQ(second.frameCount, 2);
  EXPECT_EQ(first.width, 8);

  TestCore otherCore;
  auto* other = new TestEditor(&otherCore, 100, 100);
  otherCore.AttachGraphics(other);
  EXPECT_EQ(other->LoadBitmap(key, "img/a.png", 1).bitmap, first.bitmap);
  EXPECT_EQ(other->loads, 0);
}

TEST_F(Drawing, FrameOffsetsOfHorizontalAndVerticalFilmstrips) {
  const BitmapRef wave = Pattern(192, 32, 6);
  const BitmapRef target = Pattern(72, 48, 4);
  PaintWith(PixelRect(0, 0, 395, 248), [&](IGraphics* g) {
    g->DrawBitmapFrame(wave, PixelRect(0, 0, 32, 32), 4, &kCopy, false);
    g->DrawBitmapFrame(wave, PixelRect(40, 0, 72, 32), 1, &kCopy, false);
    g->DrawBitmapFrame(wave, PixelRect(80, 0, 112, 32), 0, &kCopy, false);
    g->DrawBitmapFrame(target, PixelRect(0, 100, 72, 112), 2, &kCopy, true);
  });
  EXPECT_EQ(At(0, 0), PatternPixel(96, 0));  // 192 * 3 / 6
  EXPECT_EQ(At(31, 31), PatternPixel(127, 31));
  EXPECT_EQ(At(40, 0), PatternPixel(0, 0));
  EXPECT_EQ(At(80, 5), PatternPixel(0, 5));    // frame numbers below 1 draw the first frame
  EXPECT_EQ(At(3, 100), PatternPixel(3, 12));  // 48 * 1 / 4
  EXPECT_EQ(At(3, 111), PatternPixel(3, 23));
}

TEST_F(Drawing, BitmapsClipToTheDrawRectangleWithTheMatchingSourcePart) {
  const BitmapRef image = Pattern(40, 40, 1);
  PaintWith(PixelRect(0, 0, 20, 20),
            [&](IGraphics* g) { g->DrawBitmap(image, PixelRect(10, 10, 50, 50), 3, 4, &kCopy); });
  EXPECT_EQ(At(10, 10), PatternPixel(3, 4));
  EXPECT_EQ(At(19, 19), PatternPixel(12, 13));
  EXPECT_EQ(At(20, 19), kPaper);
  EXPECT_EQ(At(25, 25), kPaper);
  EXPECT_EQ(At(9, 10), kPaper);

  // Clipped on the top-left side: the source start moves with the destination.
  PaintWith(PixelRect(30, 30, 60, 60),
            [&](IGraphics* g) { g->DrawBitmap(image, PixelRect(10, 10, 50, 50), 0, 0, &kCopy); });
  EXPECT_EQ(At(30, 30), PatternPixel(20, 20));
  EXPECT_EQ(At(29, 30), kPaper);
  EXPECT_EQ(At(49, 49), PatternPixel(39, 39));
  EXPECT_EQ(At(50, 49), kPaper);
}

TEST_F(Drawing, SplitKnobImageGivesTwoHalvesLinkedByTheCompanionKey) {
  BitmapRef knob = Pattern(80, 40, 1);
  RasterBitmap* source = knob.bitmap;
  const BitmapRef left = editor->SplitBitmap(&knob, 0.5f);
  EXPECT_EQ(left.width, 40);
  EXPECT_EQ(left.height, 40);
  EXPECT_EQ(left.companionKey, 0);
  EXPECT_EQ(knob.width, 40);
  EXPECT_EQ(knob.height, 40);
  EXPECT_EQ(knob.companionKey, -2);  // first key this editor generates
  EXPECT_EQ(PixelAt(left.bitmap, 39, 7), PatternPixel(39, 7));
  EXPECT_EQ(PixelAt(knob.bitmap, 0, 7), PatternPixel(40, 7));
  EXPECT_EQ(PixelAt(knob.bitmap, 39, 39), PatternPixel(79, 39));

  const BitmapRef fetched = editor->GetCachedBitmap(knob.companionKey);
  ASSERT_NE(fetched.bitmap, nullptr);
  EXPECT_EQ(fetched.width, 40);
  EXPECT_EQ(PixelAt(fetched.bitmap, 5, 5), PatternPixel(5, 5));
  EXPECT_EQ(PixelAt(source, 79, 0), PatternPixel(79, 0));  // the source stays as it was

  // A second editor counts its own keys from the start and finds the same pixels under -2.
  TestCore otherCore;
  auto* other = new TestEditor(&otherCore, 100, 100);
  otherCore.AttachGraphics(other);
  BitmapRef again = Pattern(80, 40, 1);
  other->SplitBitmap(&again, 0.5f);
  EXPECT_EQ(again.companionKey, -2);
  EXPECT_EQ(PixelAt(other->GetCachedBitmap(-2).bitmap, 12, 3), PatternPixel(12, 3));
  BitmapRef next = Pattern(10, 4, 1);
  other->SplitBitmap(&next, 0.3f);
  EXPECT_EQ(next.companionKey, -3);
  EXPECT_EQ(next.width, 7);  // truncation of 0.7 * 10
}

TEST_F(Drawing, MissingImagesGiveEmptyReferencesThatDrawNothing) {
  const int missing = FreshKey();
  const BitmapRef none = editor->LoadBitmap(missing, "img/none.png", 3);
  EXPECT_EQ(none.bitmap, nullptr);
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
  const BitmapRef uncached = editor->GetCachedBitmap(-12345);
  EXPECT_EQ(uncached.bitmap, nullptr);
  EXPECT_EQ(uncached.width, 0);
  BitmapRef split = none;
  const BitmapRef half = editor->SplitBitmap(&split, 0.5f);
  EXPECT_EQ(half.bitmap, nullptr);
  EXPECT_EQ(split.bitmap, nullptr);

  PaintWith(PixelRect(0, 0, 395, 248), [&](IGraphics* g) {
    EXPECT_TRUE(g->DrawBitmap(none, PixelRect(0, 0, 50, 50), 0, 0, &kCopy));
    EXPECT_TRUE(g->DrawBitmapFrame(none, PixelRect(0, 0, 50, 50), 2, nullptr, true));
    EXPECT_TRUE(g->DrawRotatedBitmap(uncached, 20, 20, 1.0));
  });
  EXPECT_EQ(At(0, 0), kPaper);
  EXPECT_EQ(At(20, 20), kPaper);

  editor->AttachBackground(missing, "img/none.png");
  EXPECT_EQ(editor->GetControl(0)->Rect(), PixelRect());
  EXPECT_TRUE(editor->Paint(PixelRect(0, 0, 395, 248)));
}

TEST_F(Drawing, BackgroundGoesFirstAndIsDrawnOpaque) {
  const int key = FreshKey();
  editor->resources[key] = [] { return MakeSolidBitmap(395, 248, 0x00123456u); };  // alpha 0
  editor->AttachControl(new DrawProbe(PixelRect(5, 5, 10, 10), [](IGraphics*) {}));
  editor->AttachBackground(key, "img/bg.png");
  ASSERT_EQ(editor->NControls(), 2);
  EXPECT_EQ(editor->GetControl(0)->Rect(), PixelRect(0, 0, 395, 248));
  EXPECT_EQ(editor->GetControl(0)->ParamIdx(), -1);
  FillBitmap(editor->DrawBitmapSurface(), kPaper);
  editor->Paint(PixelRect(0, 0, 395, 248));
  // A plain copy ignores the image's alpha, so even a transparent background replaces the paper.
  EXPECT_EQ(At(100, 100), 0x00123456u);
}

TEST_F(Drawing, RoundedFillsRoundOnlyTheChosenCorners) {
  const ArgbColor white(255, 255, 255, 255);
  PaintWith(PixelRect(0, 0, 395, 248), [&](IGraphics* g) {
    g->FillRoundRect(white, PixelRect(10, 10, 40, 40), 5, 4);
    g->FillRoundRect(white, PixelRect(60, 10, 90, 40), 5, 2);
    g->FillRoundRect(white, PixelRect(110, 10, 140, 40), 5, -2);
    g->FillRoundRect(white, PixelRect(160, 10, 190, 40), 5, 3);  // no such selection
  });
  const RasterPixel w = 0xFFFFFFFFu;
  for (int x : {10, 25, 39}) EXPECT_EQ(At(x, 25), w) << x;  // middle band spans the full width
  EXPECT_EQ(At(25, 10), w);
  EXPECT_EQ(At(25, 39), w);
  EXPECT_EQ(At(10, 10), kPaper);  // corner cut away
  EXPECT_EQ(At(39, 39), kPaper);
  EXPECT_EQ(At(40, 25), kPaper);  // right edge is exclusive
  // Top corners only: the bottom corners stay square.
  EXPECT_EQ(At(60, 10), kPaper);
  EXPECT_EQ(At(60, 39), w);
  EXPECT_EQ(At(89, 39), w);
  // Bottom corners only.
  EXPECT_EQ(At(110, 10), w);
  EXPECT_EQ(At(110, 39), kPaper);
  EXPECT_EQ(At(175, 25), kPaper);
}

TEST_F(Drawing, TextDrawsInItsColourAndEmptyTextDrawsNothing) {
  TextStyle opaque("Arial", 20, ArgbColor(255, 255, 255, 255));
  TextStyle half("Arial", 20, ArgbColor(128, 255, 255, 255));
  bool emptyResult = false;
  PaintWith(PixelRect(0, 0, 395, 248), [&](IGraphics* g) {
    emptyResult = g->DrawText(&opaque, "", PixelRect(0, 0, 100, 30));
    g->DrawText(&opaque, "HHHH", PixelRect(0, 50, 200, 80));
    g->DrawText(&half, "HHHH", PixelRect(0, 100, 200, 130));
  });
  EXPECT_TRUE(emptyResult);
  int maxOpaque = 0;
  int maxHalf = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) EXPECT_EQ(At(x, y), kPaper);
  }
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 200; ++x) {
      maxOpaque = std::max<int>(maxOpaque, (At(x, 50 + y) >> 16) & 0xFF);
      maxHalf = std::max<int>(maxHalf, (At(x, 100 + y) >> 16) & 0xFF);
    }
  }
  EXPECT_GE(maxOpaque, 0xF0);  // solid stems reach the full colour
  // Half-transparent text only gets halfway from the paper to white.
  EXPECT_GT(maxHalf, 0x60);
  EXPECT_LT(maxHalf, 0xA0);
  EXPECT_NE(opaque.cachedFont, nullptr);  // remembered for the next draw
}

TEST_F(Drawing, AStyleWhoseFontCannotBeMadeFailsDrawText) {
  TextStyle nameless("", 14, ArgbColor(255, 255, 255, 255));
  bool result = true;
  PaintWith(PixelRect(0, 0, 395, 248),
            [&](IGraphics* g) { result = g->DrawText(&nameless, "abc", PixelRect(0, 0, 50, 20)); });
  EXPECT_FALSE(result);
}

}  // namespace
}  // namespace quivorant::test
