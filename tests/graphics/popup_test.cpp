// The editor-drawn pop-up list: sizes, thumb heights, scrolling, hover and choosing an entry.
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/PromptPopup.h"
#include "tests/graphics/ControlFixture.h"

namespace quivorant::test {
namespace {

const TextStyle kSmall("Arial", 14, ArgbColor(200, 255, 255, 255));

class Popup : public ControlFixture {
protected:
  PromptPopup* Make(int entries, const char* const* texts, int x = 10, int y = 10) {
    auto* popup = new PromptPopup(&core, x, y, 70, 1, &kSmall);
    for (int i = 0; i < entries; ++i) popup->AddEntry(texts[i]);
    editor->AttachControl(popup);
    return popup;
  }
};

const char* const kWaves[6] = {"Sine", "Triangle", "Saw Up", "Saw Down", "Sine Half 1", "Sine Half 2"};
const char* const kRates[28] = {"1/16", "1/16t", "1/16d", "1/8",  "1/8t", "1/8d",  "1/4",  "1/4t", "1/4d", "1/2",
                                "1/2t", "1/2d",  "1/1",   "1/1t", "1/1d", "2/1",   "2/1t", "2/1d", "4/1",  "4/1t",
                                "4/1d", "8/1",   "8/1t",  "8/1d", "16/1", "16/1d", "32/1", "32/1d"};

TEST_F(Popup, SizesFollowEntriesRowsAndScrollBar) {
  Attach();
  PromptPopup* waves = Make(6, kWaves);
  EXPECT_EQ(waves->RowHeight(), 20);
  EXPECT_EQ(waves->VisibleRows(), 5);
  EXPECT_EQ(waves->ThumbHeight(), 95);
  EXPECT_EQ(waves->ColumnWidth(), 94);  // "Sine Half 2": 11 * 6 + 8 + 20
  EXPECT_EQ(waves->Rect(), PixelRect(10, 10, 10 + 94 + 4 + 9 + 2, 10 + 100));

  PromptPopup* rates = Make(28, kRates);
  EXPECT_EQ(rates->VisibleRows(), 7);  // one more row at the 10th and the 20th entry
  EXPECT_EQ(rates->ThumbHeight(), 30);
  EXPECT_EQ(rates->ColumnWidth(), 70);
  EXPECT_EQ(rates->Rect().Height(), 140);

  PromptPopup* few = Make(3, kWaves);
  EXPECT_FALSE(few->HasScrollBar());
  EXPECT_EQ(few->Rect(), PixelRect(10, 10, 10 + 76 + 4, 10 + 60));  // "Triangle": 8 * 6 + 28

  // A fresh pop-up before any entry.
  PromptPopup bare(&core, 50, 60, 3, 1);
  EXPECT_EQ(bare.Rect(), PixelRect(50, 60, 60, 90));
  EXPECT_EQ(bare.HoveredRow(), -2);
  EXPECT_EQ(bare.Selected(), -1);

  // Entries longer than 32 characters are cut.
  PromptPopup longOne(&core, 0, 0, 70, 1, &kSmall);
  longOne.AddEntry("0123456789012345678901234567890123456789");
  EXPECT_STREQ(longOne.Entry(0), "01234567890123456789012345678901");
  EXPECT_STREQ(longOne.Entry(1), "");
}

TEST_F(Popup, SelectionScrollsIntoTheMiddleAndTheWheelMovesTheThumb) {
  Attach();
  PromptPopup* rates = Make(28, kRates);
  core.GetParam(6)->value = 15;
  rates->SelectFromParameter(6, nullptr);
  EXPECT_EQ(rates->Selected(), 15);
  // Row 16 of 28, four rows above it: first row 12; 108 pixels of travel over 21 rows.
  EXPECT_EQ(rates->ThumbPosition(), 62);
  PaintAll();
  EXPECT_EQ(rates->FirstVisible(), 12);

  rates->OnMouseWheel(0, 0, MouseModifiers(), 1);
  EXPECT_EQ(rates->ThumbPosition(), 59);
  rates->OnMouseWheel(0, 0, MouseModifiers(), -1000);
  EXPECT_EQ(rates->ThumbPosition(), 108);
  rates->OnMouseWheel(0, 0, MouseModifiers(), INT_MAX);
  EXPECT_EQ(rates->ThumbPosition(), 0);
  rates->ScrollBy(1000);
  EXPECT_EQ(rates->ThumbPosition(), 108);
  PaintAll();
  EXPECT_EQ(rates->FirstVisible(), 21);

  // Without a scroll bar the wheel does nothing.
  PromptPopup* few = Make(3, kWaves, 200, 10);
  few->OnMouseWheel(0, 0, MouseModifiers(), -5);
  EXPECT_EQ(few->ThumbPosition(), 0);
}

TEST_F(Popup, ThumbDragsAndTrackClicksAreLimitedToTheTrack) {
  Attach();
  PromptPopup* rates = Make(28, kRates);
  const PixelRect thumb = rates->ThumbRect();
  EXPECT_EQ(thumb.Height(), 30);
  EXPECT_EQ(thumb.top, 11);
  EXPECT_EQ(thumb.right, rates->Rect().right - 1);
  const int x = thumb.left + 2;
  editor->OnMouseDown(x, thumb.top + 5, Buttons(true));
  editor->OnMouseDrag(x, thumb.top + 45, Buttons(true));
  EXPECT_EQ(rates->ThumbPosition(), 40);
  editor->OnMouseDrag(x, thumb.top + 500, Buttons(true));
  EXPECT_EQ(rates->ThumbPosition(), 108);
  editor->OnMouseUp(x, thumb.top + 500, Buttons(true));
  editor->OnMouseDrag(x, thumb.top, Buttons(true));
  EXPECT_EQ(rates->ThumbPosition(), 108);

  // A click in the track centres the thumb on it.
  editor->OnMouseDown(x, 10 + 60, Buttons(true));
  EXPECT_EQ(rates->ThumbPosition(), 60 - 15);
  editor->OnMouseUp(x, 10 + 60, Buttons(true));
  EXPECT_EQ(core.Log().size(), 0u);  // scrolling reports nothing to the core
}

TEST_F(Popup, HoverFollowsRowsAndLeavingForgetsIt) {
  Attach();
  editor->EnableMouseOver(true);
  PromptPopup* waves = Make(6, kWaves);
  editor->OnMouseOver(30, 10 + 45, MouseModifiers());
  EXPECT_EQ(waves->HoveredRow(), 2);
  editor->OnMouseOver(30, 10 + 99, MouseModifiers());
  EXPECT_EQ(waves->HoveredRow(), 4);
  const PixelRect thumb = waves->ThumbRect();
  editor->OnMouseOver(thumb.left + 1, thumb.top + 1, MouseModifiers());
  EXPECT_EQ(waves->HoveredRow(), -1);
  editor->OnMouseOver(thumb.left + 1, thumb.bottom + 2, MouseModifiers());  // track, off the thumb
  EXPECT_EQ(waves->HoveredRow(), -1);
  editor->OnMouseOut();
  EXPECT_EQ(waves->HoveredRow(), -2);
}

TEST_F(Popup, ChoosingAnEntrySetsTheOwnerThroughOneGestureAndCloses) {
  const BitmapRef image = Image([] { return MakeSolidBitmap(40, 40, 0u); }, 1);
  auto* rate = new IKnobRotVal(&core, 287, 174, 6, image, kSmall);
  editor->AttachControl(rate);
  Attach();
  const double before = rate->Value();
  core.GetParam(6)->value = 15;  // the pop-up opens on the stored value, scrolled to show it
  editor->OnMouseDown(287, 174, Buttons(false, true));
  editor->OnMouseUp(287, 174, Buttons(false, true));
  auto* popup = static_cast<PromptPopup*>(editor->PopupControl());
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Selected(), 15);
  PaintAll();
  const int first = popup->FirstVisible();
  const PixelRect r = popup->Rect();
  EXPECT_LE(r.right, 395 - 6);
  EXPECT_GE(r.left, 6);
  core.Clear();

  // Press on entry 15 with no hover beforehand: the press itself finds the row.
  const int row = 15 - first;
  ASSERT_GE(row, 0);
  ASSERT_LT(row, popup->VisibleRows());
  const int y = r.top + row * popup->RowHeight() + 10;
  editor->OnMouseDown(r.left + 20, y, Buttons(true));
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->NControls(), 1);
  EXPECT_EQ(editor->CapturedControl(), -1);
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 6", "edit 6", "end 6"}));
  EXPECT_NE(rate->Value(), before);
  EXPECT_DOUBLE_EQ(rate->Value(), core.GetParam(6)->ToNormalized(15));
  char text[32];
  core.GetParam(6)->FormatValue(core.GetParam(6)->value, false, text, sizeof text);
  EXPECT_STREQ(text, "2/1");
  // The release lands on the knob beneath the closed list; it had no press, so no second push
  // and no unmatched end reach the core.
  ASSERT_TRUE(rate->IsHit(287, 174));
  editor->OnMouseUp(287, 174, Buttons(true));
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 6", "edit 6", "end 6"}));
}

TEST_F(Popup, PressOutsideTheEntriesChoosesNothing) {
  Attach();
  const char* const two[2] = {"On", "Off"};
  PromptPopup* popup = Make(2, two);  // 40 pixels high
  editor->SetPopupControl(popup);
  // The bottom edge is inside the hit area but past the last row.
  editor->OnMouseDown(30, 50, Buttons(true));
  EXPECT_EQ(editor->PopupControl(), popup);
  EXPECT_EQ(popup->Selected(), -1);
  // The right button never chooses.
  editor->OnMouseDown(30, 15, Buttons(false, true));
  EXPECT_EQ(editor->PopupControl(), popup);
  editor->OnMouseDown(30, 15, Buttons(true));
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->NControls(), 0);
}

TEST_F(Popup, DrawsBackgroundHighlightAndThumbInsideItsRectangle) {
  Attach();
  PromptPopup* waves = Make(6, kWaves);
  core.GetParam(5)->value = 1;
  waves->SelectFromParameter(5, nullptr);
  PaintAll();
  const PixelRect r = waves->Rect();
  EXPECT_NE(At(r.left + 50, r.top + 2), kPaper);  // background
  EXPECT_EQ(At(r.left - 1, r.top + 50), kPaper);  // nothing outside
  EXPECT_EQ(At(r.right, r.top + 50), kPaper);
  EXPECT_EQ(At(r.left, r.top), kPaper);  // rounded corner
  // The selected row (row 1) is lighter than an unselected row between texts.
  const RasterPixel selected = At(r.left + 70, r.top + 20 + 3);
  const RasterPixel plain = At(r.left + 70, r.top + 40 + 3);
  EXPECT_GT((selected >> 16) & 0xFF, (plain >> 16) & 0xFF);
  const PixelRect thumb = waves->ThumbRect();
  EXPECT_GT((At(thumb.left + 3, thumb.top + 10) >> 16) & 0xFF, (plain >> 16) & 0xFF);
}

}  // namespace
}  // namespace quivorant::test
