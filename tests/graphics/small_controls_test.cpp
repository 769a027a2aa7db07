// Radio buttons, hold button, mask, link, text, drop-down list and the LFO position display,
// and the base control's wheel, clamp, reset and right-click behaviour.
#include "graphics/controls/GRAPH.h"
#include "graphics/controls/IButtonHold.h"
#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IDropDownChild.h"
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/IMask.h"
#include "graphics/controls/IRadioButtons.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IURLOpen.h"
#include "graphics/controls/PromptPopup.h"
#include "tests/graphics/ControlFixture.h"
#include "tests/graphics/DrawProbe.h"

namespace quivorant::test {
namespace {

using SmallControls = ControlFixture;

TEST_F(SmallControls, RadioButtonsPickHoverAndDrawTheirSlices) {
  const BitmapRef strip = Pattern(72, 13, 3);
  auto* radio = new IRadioButtons(&core, PixelRect(100, 112, 172, 125), 0, strip);
  editor->AttachControl(radio);
  Attach();
  editor->OnMouseDown(130, 118, Buttons(true));  // 30 pixels in: button 1
  editor->OnMouseUp(130, 118, Buttons(true));
  EXPECT_DOUBLE_EQ(radio->Value(), 0.5);
  EXPECT_EQ(Plain(0), 1.0);
  editor->OnMouseDown(171, 118, Buttons(true));  // 71: button 2
  EXPECT_DOUBLE_EQ(radio->Value(), 1.0);
  EXPECT_EQ(Plain(0), 2.0);
  editor->OnMouseDown(172, 118, Buttons(true));  // the inclusive far edge clamps to the last button
  EXPECT_DOUBLE_EQ(radio->Value(), 1.0);
  editor->OnMouseDown(100, 118, Buttons(true));
  EXPECT_DOUBLE_EQ(radio->Value(), 0.0);

  // Right button: no prompt, the value is only pushed again.
  core.Clear();
  editor->OnMouseDown(150, 118, Buttons(false, true));
  EXPECT_DOUBLE_EQ(radio->Value(), 0.0);
  EXPECT_EQ(core.Count("edit", 0), 1);
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->LastParamPrompt().count, 0);

  editor->EnableMouseOver(true);
  editor->OnMouseOver(123, 118, MouseModifiers());
  EXPECT_EQ(radio->HoveredButton(), 0);
  editor->OnMouseOver(172, 118, MouseModifiers());
  EXPECT_EQ(radio->HoveredButton(), 2);
  editor->OnMouseOut();
  EXPECT_EQ(radio->HoveredButton(), -1);

  radio->SetValue(0.5);
  PaintAll();
  EXPECT_EQ(At(124, 112), PatternPixel(24, 0));
  EXPECT_EQ(At(147, 124), PatternPixel(47, 12));
  EXPECT_EQ(At(123, 112), kPaper);  // unselected buttons show what lies beneath
  EXPECT_EQ(At(148, 112), kPaper);

  // The hovered button is drawn faintly.
  editor->OnMouseOver(101, 118, MouseModifiers());
  PaintAll();
  const RasterPixel faint = At(101, 112);
  EXPECT_NE(faint, kPaper);
  EXPECT_NE(faint, PatternPixel(1, 0));
  EXPECT_EQ(At(124, 112), PatternPixel(24, 0));

  // The wheel does nothing here.
  core.Clear();
  radio->OnMouseWheel(130, 118, MouseModifiers(), 3);
  EXPECT_DOUBLE_EQ(radio->Value(), 0.5);
  EXPECT_EQ(core.Count("edit", 0), 0);
}

TEST_F(SmallControls, RadioButtonsWithBoundaries) {
  const BitmapRef strip = Pattern(60, 10, 3);
  auto* radio = new IRadioButtons(&core, PixelRect(0, 0, 60, 10), 0, strip, false, {10, 40});
  editor->AttachControl(radio);
  Attach();
  radio->OnMouseDown(9, 5, Buttons(true));
  EXPECT_DOUBLE_EQ(radio->Value(), 0.0);
  radio->OnMouseDown(39, 5, Buttons(true));
  EXPECT_DOUBLE_EQ(radio->Value(), 0.5);
  radio->OnMouseDown(40, 5, Buttons(true));
  EXPECT_DOUBLE_EQ(radio->Value(), 1.0);
  radio->SetValue(0.5);
  PaintAll();
  EXPECT_EQ(At(10, 0), PatternPixel(10, 0));
  EXPECT_EQ(At(39, 9), PatternPixel(39, 9));
  EXPECT_EQ(At(9, 0), kPaper);
  EXPECT_EQ(At(40, 0), kPaper);
}

TEST_F(SmallControls, HoldButtonReadsOneOnlyWhilePressed) {
  const BitmapRef image = Pattern(15, 15, 1);
  auto* hold = new IButtonHold(&core, 355, 87, 8, image);
  editor->AttachControl(hold);
  EXPECT_EQ(hold->Rect(), PixelRect(355, 87, 370, 102));
  Attach();
  PaintAll();
  EXPECT_EQ(At(360, 90), kPaper);
  editor->OnMouseDown(360, 90, Buttons(true));
  EXPECT_EQ(Plain(8), 1.0);
  PaintAll();
  EXPECT_EQ(At(360, 90), PatternPixel(5, 3));
  editor->OnMouseUp(360, 90, Buttons(true));
  EXPECT_EQ(Plain(8), 0.0);
  PaintAll();
  EXPECT_EQ(At(360, 90), kPaper);
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 8", "edit 8", "edit 8", "end 8"}));
}

TEST_F(SmallControls, MaskShieldsWhatLiesBeneathWithoutTouchingAnyParameter) {
  auto* probe = new DrawProbe(PixelRect(0, 211, 395, 217), [](IGraphics*) {});
  editor->AttachControl(probe);
  const BitmapRef image = Pattern(395, 6, 1);
  auto* mask = new IMask(&core, 0, 211, 10, image);  // 10 names no parameter
  editor->AttachControl(mask);
  EXPECT_EQ(mask->Rect(), PixelRect(0, 211, 395, 217));
  Attach();
  EXPECT_EQ(editor->FindControlAt(100, 214), 1);
  editor->OnMouseDown(100, 214, Buttons(false, true));
  editor->OnMouseUp(100, 214, Buttons(false, true));
  editor->OnMouseWheel(100, 214, MouseModifiers(), 5);
  editor->EnableMouseOver(true);
  editor->OnMouseOver(100, 214, MouseModifiers());
  editor->OnMouseDoubleClick(100, 214, Buttons(true));
  EXPECT_TRUE(core.Log().empty());
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->LastParamPrompt().count, 0);
  PaintAll();
  EXPECT_EQ(At(300, 216), PatternPixel(300, 5));
}

TEST_F(SmallControls, LinkOpensTheMakersPageForThisEffect) {
  editor->AttachControl(new IURLOpen(&core, PixelRect(71, 7, 263, 54)));
  Attach();
  PaintAll();
  EXPECT_EQ(At(100, 20), kPaper);  // invisible
  editor->OnMouseDown(100, 20, Buttons(false, true));
  const auto& request = editor->LastUrlRequest();
  EXPECT_EQ(request.count, 1);
  EXPECT_EQ(request.url, "https://www.tolvane.com/quivorant");
  EXPECT_EQ(request.title, "");
  EXPECT_EQ(request.confirmText, "");
  EXPECT_EQ(request.errorText, "Cannot open url. Check your default browser.");
}

TEST_F(SmallControls, TextControlRedrawsOnlyForNewTextAndAlignsRight) {
  const TextStyle version("Verdana", 13, ArgbColor(255, 255, 255, 255), 0, kAlignRight);
  auto* text = new ITextControl(&core, PixelRect(223, 7, 261, 25), version, "v1.30");
  editor->AttachControl(text);
  Attach();
  PaintAll();
  while (editor->Tick()) {
  }
  text->SetText("v1.30");
  EXPECT_FALSE(text->IsDirty());
  text->SetText("v1.31");
  EXPECT_TRUE(text->IsDirty());
  EXPECT_STREQ(text->Text(), "v1.31");

  PaintAll();
  int leftmost = 395, rightmost = -1;
  for (int y = 0; y < 40; ++y) {
    for (int x = 150; x < 300; ++x) {
      if (At(x, y) == kPaper) continue;
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  EXPECT_GE(rightmost, 255);  // ends at the right edge of (223, 7)-(261, 25)
  EXPECT_LE(rightmost, 262);
  EXPECT_GT(leftmost, 223);
}

class DropDownTest : public ControlFixture {
protected:
  void SetUp() override {
    ControlFixture::SetUp();
    const BitmapRef closed = Pattern(72, 48, 4);
    const BitmapRef items = Image([] { return MakeSolidBitmap(72, 48, 0xFF2080C0u); }, 4);
    dropDown = new IDropDown(&core, 271, 113, 4, closed, items);
    editor->AttachControl(dropDown);
    Attach();
  }
  IDropDown* dropDown = nullptr;
};

TEST_F(DropDownTest, ClickOpensTheListAndAnEntryReachesTheCoreAtTheNextDraw) {
  EXPECT_EQ(dropDown->Rect(), PixelRect(271, 112, 343, 126));
  editor->OnMouseDown(280, 118, Buttons(true));
  editor->OnMouseUp(280, 118, Buttons(true));
  IDropDownChild* list = dropDown->List();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Rect(), PixelRect(271, 125, 343, 173));
  EXPECT_EQ(editor->GetControl(editor->NControls() - 1), list);  // on top
  EXPECT_TRUE(dropDown->IsOpen());

  core.Clear();
  editor->OnMouseDown(300, 125 + 30, Buttons(true));
  editor->OnMouseUp(300, 125 + 30, Buttons(true));
  EXPECT_NEAR(dropDown->Value(), 2.0 / 3.0, 1e-12);
  EXPECT_TRUE(list->IsHidden());
  EXPECT_EQ(core.Count("edit", 4), 0);  // not yet
  EXPECT_EQ(Plain(4), 0.0);

  EXPECT_TRUE(editor->Tick());
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 4", "edit 4", "end 4"}));
  EXPECT_EQ(Plain(4), 2.0);
  EXPECT_FALSE(dropDown->IsOpen());
  PaintAll();
  EXPECT_EQ(At(271, 113), PatternPixel(0, 24));  // frame 3
  EXPECT_EQ(At(342, 123), PatternPixel(71, 34));
  EXPECT_EQ(At(271, 124), kPaper);  // the frame's last row is not drawn
  EXPECT_EQ(At(300, 150), kPaper);  // the list is hidden
}

TEST_F(DropDownTest, SecondClickClosesWithoutChangingTheValueAndTheLowestRowPicksTheLast) {
  editor->OnMouseDown(280, 118, Buttons(true));
  editor->OnMouseDown(280, 118, Buttons(true));
  EXPECT_FALSE(dropDown->IsOpen());
  EXPECT_TRUE(dropDown->List()->IsHidden());
  EXPECT_EQ(dropDown->Value(), 0.0);
  PaintAll();
  EXPECT_EQ(Plain(4), 0.0);

  editor->OnMouseDown(280, 118, Buttons(true));  // shown again, not created again
  EXPECT_FALSE(dropDown->List()->IsHidden());
  EXPECT_EQ(editor->NControls(), 2);
  editor->OnMouseDown(280, 125 + 47, Buttons(true));
  EXPECT_DOUBLE_EQ(dropDown->Value(), 1.0);
  editor->Tick();
  EXPECT_EQ(Plain(4), 3.0);
}

TEST_F(DropDownTest, AValueFromTheCoreIsShownAndNotSentBack) {
  editor->OnMouseDown(280, 118, Buttons(true));  // the list exists from here on
  editor->OnMouseDown(280, 118, Buttons(true));
  PaintAll();
  core.Clear();
  editor->SetControlsFromParam(4, 1.0 / 3.0, true);
  EXPECT_TRUE(editor->Tick());
  EXPECT_NEAR(dropDown->Value(), 1.0 / 3.0, 1e-12);
  EXPECT_TRUE(core.Log().empty());
}

TEST_F(DropDownTest, ListForgetsADropDownThatGoesAway) {
  editor->OnMouseDown(280, 118, Buttons(true));
  IDropDownChild* list = dropDown->List();
  delete dropDown;
  list->OnMouseDown(300, 150, Buttons(true));  // writes nowhere
  EXPECT_TRUE(list->IsHidden());
  EXPECT_EQ(editor->NControls(), 1);
}

TEST_F(ControlFixture, PositionDisplayMarksTheLfoValueOnItsTrack) {
  auto* graph = new GRAPH(&core, PixelRect(0, 211, 395, 217));
  editor->AttachControl(graph);
  Attach();
  while (editor->Tick()) {
    if (editor->PresentCount() > 3) break;  // always dirty: there is always another tick
  }
  EXPECT_TRUE(graph->IsDirty());

  graph->SetDisplayRange(20.0f, 20000.0f);
  graph->SetDisplayValue(10010.0f);
  PaintAll();
  EXPECT_EQ(At(283, 213), kPaper);  // not shown without a target
  graph->SetDisplayShown(true);
  PaintAll();
  for (int x = 283; x < 289; ++x) {
    EXPECT_NE(At(x, 213), kPaper) << x;
    EXPECT_NE(At(x, 214), kPaper) << x;
  }
  EXPECT_EQ(At(282, 213), kPaper);
  EXPECT_EQ(At(289, 213), kPaper);
  EXPECT_EQ(At(285, 212), kPaper);
  EXPECT_EQ(At(285, 215), kPaper);
  // White at alpha 150 over the paper.
  const int red = int((At(283, 213) >> 16) & 0xFF);
  EXPECT_NEAR(red, 0x10 + (255 - 0x10) * 150 / 255, 2);

  graph->SetDisplayValue(20.0f);
  PaintAll();
  EXPECT_NE(At(208, 213), kPaper);
  graph->SetDisplayValue(20000.0f);
  PaintAll();
  EXPECT_NE(At(363, 214), kPaper);
  EXPECT_EQ(At(364, 214), kPaper);

  graph->SetDisplayRange(0.5f, 0.5f);
  PaintAll();
  EXPECT_EQ(At(208, 213), 0xFFFF0000u);
  EXPECT_EQ(At(213, 214), 0xFFFF0000u);
  EXPECT_EQ(At(214, 213), kPaper);
}

class BaseControl : public ControlFixture {
protected:
  IKnobRotVal* Knob(int paramIdx, int cx = 100, int cy = 100) {
    const BitmapRef image = Pattern(40, 40, 1);
    auto* knob = new IKnobRotVal(&core, cx, cy, paramIdx, image, TextStyle("Arial", 14, ArgbColor()));
    editor->AttachControl(knob);
    return knob;
  }
};

TEST_F(BaseControl, WheelStepsListsByHalfAnEntryAndNumbersByAHundredth) {
  IKnobRotVal* rate = Knob(6);
  IKnobRotVal* mix = Knob(3, 200, 100);
  Attach();
  const double start = rate->Value();
  editor->OnMouseWheel(100, 100, MouseModifiers(), 1);
  EXPECT_NEAR(rate->Value(), start + 0.5 / 28, 1e-12);
  editor->OnMouseWheel(100, 100, Buttons(false, false, true), 1);
  EXPECT_NEAR(rate->Value(), start + 0.55 / 28, 1e-12);
  editor->OnMouseWheel(100, 100, Buttons(false, false, false, true), -2);
  EXPECT_NEAR(rate->Value(), start + 0.45 / 28, 1e-12);

  core.hostCode = 2;  // this host reserves shift: only control is fine
  editor->OnMouseWheel(100, 100, Buttons(false, false, true), 1);
  EXPECT_NEAR(rate->Value(), start + 0.95 / 28, 1e-12);
  editor->OnMouseWheel(100, 100, Buttons(false, false, false, true), 1);
  EXPECT_NEAR(rate->Value(), start + 1.0 / 28, 1e-12);

  core.hostCode = 0;
  const double mixStart = mix->Value();
  editor->OnMouseWheel(200, 100, MouseModifiers(), -3);
  EXPECT_NEAR(mix->Value(), mixStart - 0.03, 1e-12);
  editor->OnMouseWheel(200, 100, MouseModifiers(), 1000000);
  EXPECT_DOUBLE_EQ(mix->Value(), 1.0);
  EXPECT_EQ(Plain(3), 100.0);
}

TEST_F(BaseControl, PushClampsAndDoubleClickResetsToTheFirstPushedValue) {
  IKnobRotVal* knob = Knob(2);
  auto* late = new IKnobRotVal(&core, 300, 100, 3, Pattern(40, 40, 1), TextStyle());
  Attach();
  editor->AttachControl(late);  // attached after the core pushed its values

  knob->SetValue(1.2);
  knob->SetDirty(true);
  EXPECT_DOUBLE_EQ(knob->Value(), 1.0);
  EXPECT_EQ(Plain(2), 100.0);

  const double first = knob->DefaultValue();
  EXPECT_NEAR(first, 49.0 / 99.0, 1e-12);
  knob->SetValueFromParam(0.9);
  EXPECT_EQ(knob->DefaultValue(), first);  // only the first push sets the default
  editor->OnMouseDoubleClick(100, 100, Buttons(true));
  EXPECT_DOUBLE_EQ(knob->Value(), first);
  EXPECT_EQ(Plain(2), 50.0);

  core.Clear();
  late->SetValue(0.7);
  editor->OnMouseDoubleClick(300, 100, Buttons(true));
  EXPECT_DOUBLE_EQ(late->Value(), 0.7);
  EXPECT_EQ(core.Count("edit", 3), 0);
}

TEST_F(BaseControl, RightClickPromptsForNumbersAndOpensAListForListParameters) {
  IKnobRotVal* depth = Knob(7);
  IKnobRotVal* wave = Knob(5, 380, 230);  // near the bottom-right corner
  IKnobRotVal* quiet = Knob(1, 200, 100);
  quiet->DisablePrompt(true);
  Attach();
  editor->OnMouseDown(100, 100, Buttons(false, true));
  EXPECT_EQ(editor->LastParamPrompt().count, 1);
  EXPECT_EQ(editor->LastParamPrompt().control, depth);
  EXPECT_EQ(editor->LastParamPrompt().param, core.GetParam(7));
  EXPECT_TRUE(editor->LastParamPrompt().compact);
  EXPECT_EQ(editor->PopupControl(), nullptr);

  editor->OnMouseDown(200, 100, Buttons(false, true));
  EXPECT_EQ(editor->LastParamPrompt().count, 1);

  core.GetParam(5)->value = 4;
  editor->OnMouseDown(380, 230, Buttons(false, true));
  auto* popup = static_cast<PromptPopup*>(editor->PopupControl());
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Owner(), wave);
  EXPECT_FALSE(popup->IsHidden());
  EXPECT_EQ(popup->EntryCount(), 6);
  EXPECT_STREQ(popup->Entry(5), "Sine Half 2");
  EXPECT_EQ(popup->Selected(), 4);
  // Size 15 pop-up text: rows of 21, five visible, a scroll bar; column 11 * 7 + 28 = 105 wide.
  const PixelRect r = popup->Rect();
  EXPECT_EQ(r.Width(), 105 + 4 + 9 + 2);
  EXPECT_EQ(r.Height(), 105);
  EXPECT_EQ(r.right, 395 - 6);  // pushed back inside the editor
  EXPECT_EQ(r.bottom, 248 - 6);
  EXPECT_EQ(editor->GetControl(editor->NControls() - 1), popup);

  // A second right-click anywhere first closes it.
  editor->OnMouseDown(100, 100, Buttons(false, true));
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->NControls(), 3);
}

TEST_F(BaseControl, TypedTextGoesThroughOneGestureAndHostValuesReachOnlyTheirControls) {
  IKnobRotVal* freq = Knob(1);
  IKnobRotVal* wave = Knob(5, 200, 100);
  IKnobRotVal* waveTwin = Knob(5, 300, 100);
  Attach();
  editor->ApplyTextEntry(freq, core.GetParam(1), "1500");
  EXPECT_EQ(core.Log(), (std::vector<std::string>{"begin 1", "edit 1", "end 1"}));
  EXPECT_EQ(Plain(1), 1500.0);
  // Neither a number nor a name: nothing changes and the host hears nothing.
  editor->ApplyTextEntry(freq, core.GetParam(1), "abc");
  editor->ApplyTextEntry(freq, core.GetParam(1), "1500 dB");
  EXPECT_EQ(core.Log().size(), 3u);
  EXPECT_EQ(Plain(1), 1500.0);
  editor->ApplyTextEntry(freq, core.GetParam(1), " 20 hz ");
  EXPECT_EQ(Plain(1), 20.0);
  EXPECT_DOUBLE_EQ(freq->Value(), 0.0);
  editor->ApplyTextEntry(wave, core.GetParam(5), "saw up");
  EXPECT_EQ(Plain(5), 2.0);

  // A host change in plain units is normalised by the parameter and reaches both wave knobs.
  editor->SetControlsFromParam(5, 5.0, false);
  EXPECT_DOUBLE_EQ(wave->Value(), 1.0);
  EXPECT_DOUBLE_EQ(waveTwin->Value(), 1.0);
  EXPECT_DOUBLE_EQ(freq->Value(), 0.0);
  editor->SetControlsFromParam(1, 0.5, true);
  EXPECT_DOUBLE_EQ(freq->Value(), 0.5);
  editor->SetControlsFromParam(42, 1.0, false);  // no such parameter: nothing moves
  EXPECT_DOUBLE_EQ(freq->Value(), 0.5);
}

TEST_F(BaseControl, GreyingSetsAQuarterWeightAndHidesFromTheMouse) {
  IKnobRotVal* knob = Knob(2);
  Attach();
  knob->SetGreyed(true);
  EXPECT_EQ(knob->Blend().weight, 0.25f);
  EXPECT_TRUE(knob->IsDirty());
  EXPECT_EQ(editor->FindControlAt(100, 100), -1);
  editor->OnMouseWheel(100, 100, MouseModifiers(), 1);
  EXPECT_TRUE(core.Log().empty());
  knob->SetGreyed(false);
  EXPECT_EQ(knob->Blend().weight, 1.0f);
  EXPECT_EQ(editor->FindControlAt(100, 100), 0);
}

}  // namespace
}  // namespace quivorant::test
