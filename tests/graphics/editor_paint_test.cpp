// Dirty collection, strict and non-strict painting, the bounds overlay and presenting.
#include <gtest/gtest.h>

#include "raster/RasterSysBitmap.h"
#include "tests/graphics/TestCore.h"
#include "tests/graphics/TestEditor.h"

namespace quivorant::test {
namespace {

using Calls = std::vector<std::string>;

class Painting : public ::testing::Test {
protected:
  void SetUp() override {
    editor = new TestEditor(&core, 395, 248);
    core.AttachGraphics(editor);
    bg = Add("bg", PixelRect(0, 0, 395, 248));
    a = Add("A", PixelRect(10, 10, 50, 50));
    b = Add("B", PixelRect(40, 40, 90, 90));
    c = Add("C", PixelRect(200, 100, 250, 150));
  }
  ProbeControl* Add(const char* name, const PixelRect& rect) {
    auto* control = new ProbeControl(&journal, name, rect);
    editor->AttachControl(control);
    return control;
  }
  // Paints until nothing is dirty any more.
  void Settle() {
    for (int i = 0; i < 4 && editor->Tick(); ++i) {
    }
    journal.clear();
  }

  TestCore core;
  TestEditor* editor = nullptr;
  std::vector<std::string> journal;
  ProbeControl *bg = nullptr, *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(Painting, DirtyRectangleIsTheUnionOfDirtyControls) {
  PixelRect rect;
  EXPECT_TRUE(editor->CollectDirtyRect(&rect));  // everything starts dirty
  EXPECT_EQ(rect, PixelRect(0, 0, 395, 248));
  Settle();

  rect = PixelRect();
  EXPECT_FALSE(editor->CollectDirtyRect(&rect));
  EXPECT_TRUE(rect.IsEmpty());

  a->SetDirty(false);
  c->SetDirty(false);
  EXPECT_TRUE(editor->CollectDirtyRect(&rect));
  EXPECT_EQ(rect, PixelRect(10, 10, 250, 150));
}

TEST_F(Painting, StrictPaintDrawsIntersectingVisibleControlsInListOrderAndCleansAll) {
  Settle();
  b->Hide(true);
  c->SetDirty(false);
  EXPECT_TRUE(editor->Paint(PixelRect(20, 20, 60, 60)));
  EXPECT_EQ(journal, (Calls{"bg draw", "A draw"}));  // B hidden, C elsewhere
  EXPECT_FALSE(c->IsDirty());                        // cleaned though not drawn
  EXPECT_EQ(editor->LastPresented(), PixelRect(20, 20, 60, 60));

  // A rectangle that only touches A's edge does not reach it.
  journal.clear();
  editor->Paint(PixelRect(50, 0, 60, 9));
  EXPECT_EQ(journal, (Calls{"bg draw"}));

  // An all-zero update rectangle draws nothing but still presents.
  journal.clear();
  const int presents = editor->PresentCount();
  EXPECT_TRUE(editor->Paint(PixelRect()));
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(editor->PresentCount(), presents + 1);
}

TEST_F(Painting, ValueChangeRedrawsOnTheNextTickOnly) {
  Settle();
  a->SetValueFromParam(0.3);
  EXPECT_TRUE(editor->Tick());
  EXPECT_EQ(journal, (Calls{"bg draw", "A draw", "B draw"}));  // B overlaps A
  journal.clear();
  while (editor->Tick()) {
  }
  journal.clear();
  EXPECT_FALSE(editor->Tick());
  EXPECT_TRUE(journal.empty());
}

TEST_F(Painting, LoosePaintRedrawsAroundEachDirtyControl) {
  Settle();
  editor->SetStrictRedraw(false);
  b->SetDirty(false);
  editor->Paint(PixelRect(0, 0, 1, 1));  // the update rectangle plays no part here
  EXPECT_EQ(journal, (Calls{"bg draw", "A draw", "B draw"}));
  EXPECT_EQ(editor->DrawRect(), PixelRect(40, 40, 90, 90));
  EXPECT_FALSE(b->IsDirty());

  // A dirty background repaints everything visible, and itself even when hidden.
  journal.clear();
  bg->Hide(true);
  a->Hide(true);
  editor->Paint(PixelRect(0, 0, 1, 1));
  EXPECT_EQ(journal, (Calls{"bg draw", "B draw", "C draw"}));
  EXPECT_EQ(editor->DrawRect(), PixelRect(0, 0, 395, 248));
}

TEST_F(Painting, NoControlsPresentsNothing) {
  TestCore other;
  auto* empty = new TestEditor(&other, 100, 100);
  other.AttachGraphics(empty);
  EXPECT_TRUE(empty->Paint(PixelRect(0, 0, 100, 100)));
  EXPECT_EQ(empty->PresentCount(), 0);
}

TEST_F(Painting, BoundsOverlayRepaintsEverythingAndOutlinesControlsInGreen) {
  Settle();
  editor->Paint(PixelRect(0, 0, 395, 248));  // sets the draw rectangle to the whole editor
  journal.clear();
  editor->SetShowControlBounds(true);
  PixelRect rect;
  EXPECT_TRUE(editor->CollectDirtyRect(&rect));  // nothing is dirty, still true
  EXPECT_EQ(rect, PixelRect(0, 0, 395, 248));

  FillBitmap(editor->DrawBitmapSurface(), 0xFF000000u);
  // Probes draw nothing, so only the overlay changes pixels.
  editor->Paint(rect);
  RasterBitmap* px = editor->DrawBitmapSurface();
  const RasterPixel green = 0xFF00FF00u;
  EXPECT_EQ(PixelAt(px, 30, 10), green);  // A's top edge
  EXPECT_EQ(PixelAt(px, 30, 50), green);  // bottom edge, at the exclusive coordinate
  EXPECT_EQ(PixelAt(px, 10, 30), green);  // left edge
  EXPECT_EQ(PixelAt(px, 50, 30), green);  // right edge
  EXPECT_EQ(PixelAt(px, 30, 30), 0xFF000000u);
  EXPECT_EQ(PixelAt(px, 0, 100), 0xFF000000u);  // the background (index 0) is not outlined
  EXPECT_EQ(PixelAt(px, 200, 120), green);
}

}  // namespace
}  // namespace quivorant::test
