// The effect's editor as built: size, the fourteen controls in layout order with their kinds,
// parameters and rectangles, and what the mouse hits.

#include <gtest/gtest.h>

#include <typeinfo>

#include "graphics/controls/GRAPH.h"
#include "graphics/controls/IBackground.h"
#include "graphics/controls/IButtonHold.h"
#include "graphics/controls/IControl.h"
#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IKnobControl.h"
#include "graphics/controls/IKnobMulti.h"
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/IMask.h"
#include "graphics/controls/IRadioButtons.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IURLOpen.h"
#include "tests/editor/EditorPicture.h"

namespace quivorant::test {
namespace {

struct Expected {
  const std::type_info& kind;
  int param;
  PixelRect rect;
};

TEST(EditorLayout, FourteenControlsInDrawingOrder) {
  EditorUnderTest e;
  ASSERT_TRUE(e.ok());
  EXPECT_EQ(e.editor->Width(), 395);
  EXPECT_EQ(e.editor->Height(), 248);
  const Expected expected[] = {
      {typeid(IBackground), -1, PixelRect(0, 0, 395, 248)},
      {typeid(ITextControl), -1, PixelRect(223, 7, 261, 25)},
      {typeid(IURLOpen), -1, PixelRect(71, 7, 263, 54)},
      {typeid(IRadioButtons), 0, PixelRect(100, 112, 172, 125)},
      {typeid(IKnobRotVal), 1, PixelRect(22, 154, 82, 210)},
      {typeid(IKnobRotVal), 2, PixelRect(88, 154, 128, 210)},
      {typeid(IKnobRotVal), 3, PixelRect(144, 154, 184, 210)},
      {typeid(IDropDown), 4, PixelRect(271, 112, 343, 126)},
      {typeid(IButtonHold), 8, PixelRect(355, 87, 370, 102)},
      {typeid(IKnobMulti), 5, PixelRect(201, 158, 261, 210)},
      {typeid(IKnobRotVal), 6, PixelRect(267, 154, 307, 210)},
      {typeid(IKnobRotVal), 7, PixelRect(323, 154, 363, 210)},
      {typeid(GRAPH), -1, PixelRect(0, 211, 395, 217)},
      {typeid(IMask), 10, PixelRect(0, 211, 395, 217)},
  };
  ASSERT_EQ(e.editor->NControls(), 14);
  for (int i = 0; i < 14; ++i) {
    const IControl* c = e.editor->GetControl(i);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(typeid(*c), expected[i].kind) << "control " << i;
    EXPECT_EQ(c->ParamIdx(), expected[i].param) << "control " << i;
    const PixelRect& r = c->Rect();
    const PixelRect& x = expected[i].rect;
    EXPECT_TRUE(r.left == x.left && r.top == x.top && r.right == x.right && r.bottom == x.bottom)
        << "control " << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  // The strip is the effect's own, and shows nothing while the LFO has no target.
  ASSERT_EQ(e.fx->PositionDisplay(), e.editor->GetControl(12));
  EXPECT_FALSE(e.fx->PositionDisplay()->DisplayShown());
  e.SetFromHost(4, 1.0);
  EXPECT_TRUE(e.fx->PositionDisplay()->DisplayShown());
  EXPECT_TRUE(e.editor->MouseOverEnabled());
}

TEST(EditorLayout, TheMouseFindsTheKnobsByTheirBounds) {
  EditorUnderTest e;
  ASSERT_TRUE(e.ok());
  const int freq = e.editor->FindControlAt(60, 160);
  ASSERT_EQ(freq, 4);
  EXPECT_EQ(e.editor->GetControl(freq)->ParamIdx(), 1);
  // Between "Filter Bandwidth" (ends at 128) and "Filter Mix" (starts at 144): no knob.
  const IControl* gap = e.editor->GetControl(e.editor->FindControlAt(130, 160));
  ASSERT_NE(gap, nullptr);
  EXPECT_EQ(dynamic_cast<const IKnobControl*>(gap), nullptr);
  // Both ends of a rectangle belong to it.
  EXPECT_EQ(e.editor->FindControlAt(128, 160), 5);
  EXPECT_EQ(e.editor->FindControlAt(88, 210), 5);
  // The mask, attached last, is what the mouse finds over the strip.
  EXPECT_EQ(e.editor->FindControlAt(200, 214), 13);
}

}  // namespace
}  // namespace quivorant::test
