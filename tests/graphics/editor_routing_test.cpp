// Mouse, wheel, hover, key and drop routing of the editor core, with the gesture calls the core
// receives around them.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>

#include "tests/graphics/TestCore.h"
#include "tests/graphics/TestEditor.h"

namespace quivorant::test {
namespace {

using Calls = std::vector<std::string>;

MouseModifiers Left() {
  MouseModifiers m;
  m.left = true;
  return m;
}

class Routing : public ::testing::Test {
protected:
  void SetUp() override {
    editor = new TestEditor(&core, 395, 248);
    core.AttachGraphics(editor);
    core.Clear();
  }
  ProbeControl* Add(const char* name, const PixelRect& rect, int paramIdx = -1) {
    auto* control = new ProbeControl(&journal, name, rect, &core, paramIdx);
    editor->AttachControl(control);
    return control;
  }
  void Clear() {
    journal.clear();
    core.Clear();
  }

  TestCore core;
  TestEditor* editor = nullptr;  // owned by core
  std::vector<std::string> journal;
};

TEST_F(Routing, LaterControlsLieOnTopAndHiddenOrGreyedOnesLetClicksThrough) {
  ProbeControl* a = Add("A", PixelRect(10, 10, 50, 50), 1);
  ProbeControl* b = Add("B", PixelRect(30, 30, 70, 70), 2);
  EXPECT_EQ(editor->FindControlAt(40, 40), 1);
  EXPECT_EQ(editor->FindControlAt(20, 20), 0);
  EXPECT_EQ(editor->FindControlAt(80, 80), -1);
  // Right and bottom edges belong to the control.
  EXPECT_EQ(editor->FindControlAt(70, 70), 1);
  EXPECT_EQ(editor->FindControlAt(71, 70), -1);

  EXPECT_TRUE(editor->OnMouseDown(40, 40, Left()));
  editor->OnMouseUp(40, 40, Left());
  EXPECT_EQ(journal, (Calls{"B down 40 40", "B up 40 40"}));
  EXPECT_EQ(core.Log(), (Calls{"begin 2", "end 2"}));

  b->Hide(true);
  EXPECT_EQ(editor->FindControlAt(40, 40), 0);
  b->Hide(false);
  b->SetGreyed(true);
  EXPECT_EQ(editor->FindControlAt(40, 40), 0);
  a->SetGreyed(true);
  EXPECT_EQ(editor->FindControlAt(40, 40), -1);
  EXPECT_FALSE(editor->OnMouseDown(40, 40, Left()));
}

TEST_F(Routing, CapturedControlFollowsDragsAnywhereAndGetsTheReleaseOutside) {
  Add("A", PixelRect(10, 10, 50, 50), 1);
  Add("B", PixelRect(100, 100, 150, 150), 2);
  Clear();
  editor->OnMouseDown(20, 20, Left());
  editor->OnMouseDrag(300, 200, Left());  // outside every control
  editor->OnMouseDrag(300, 200, Left());  // same position: swallowed
  editor->OnMouseDrag(120, 120, Left());  // over B: still A's
  editor->OnMouseUp(-40, 900, Left());    // outside the editor
  EXPECT_EQ(journal, (Calls{"A down 20 20", "A drag 280 180", "A drag -180 -80", "A up -40 900"}));
  EXPECT_EQ(core.Log(), (Calls{"begin 1", "end 1"}));
  EXPECT_EQ(editor->CapturedControl(), -1);
  EXPECT_EQ(editor->LastMouseX(), -1);
  EXPECT_EQ(editor->LastMouseY(), -1);

  // Without a capture drags go nowhere, and neither does a release: a press that hit nothing,
  // then a release over A, must not end an edit A never began.
  Clear();
  editor->OnMouseDrag(20, 20, Left());
  editor->OnMouseDown(300, 200, Left());
  editor->OnMouseUp(20, 20, Left());
  EXPECT_TRUE(journal.empty());
  EXPECT_TRUE(core.Log().empty());
}

TEST_F(Routing, DoubleClickWithAndWithoutTheAsClickFlag) {
  ProbeControl* a = Add("A", PixelRect(10, 10, 50, 50), 1);
  Clear();
  EXPECT_FALSE(editor->OnMouseDoubleClick(20, 20, Left()));
  EXPECT_EQ(journal, (Calls{"A dblclick"}));
  EXPECT_EQ(core.Log(), (Calls{"begin 1"}));
  EXPECT_EQ(editor->CapturedControl(), -1);

  a->SetDoubleClickAsClick(true);
  Clear();
  EXPECT_TRUE(editor->OnMouseDoubleClick(20, 20, Left()));
  EXPECT_EQ(editor->CapturedControl(), 0);
  editor->OnMouseUp(25, 25, Left());
  EXPECT_EQ(journal, (Calls{"A down 20 20", "A up 25 25"}));
  EXPECT_EQ(core.Log(), (Calls{"begin 1", "end 1"}));

  Clear();
  EXPECT_FALSE(editor->OnMouseDoubleClick(200, 200, Left()));
  EXPECT_TRUE(core.Log().empty());
}

TEST_F(Routing, WheelBurstEndsOneGestureHalfASecondAfterTheLastNotch) {
  Add("A", PixelRect(10, 10, 50, 50), 3);
  Clear();
  for (int i = 0; i < 10; ++i) {
    if (i > 0) editor->Tick();  // notches arrive faster than the countdown runs out
    editor->OnMouseWheel(20, 20, MouseModifiers(), 1);
  }
  EXPECT_EQ(core.Count("wheel", 3), 10);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "A wheel 1"), 10);
  EXPECT_EQ(core.Count("end", 3), 0);
  for (int tick = 1; tick < 12; ++tick) editor->Tick();
  EXPECT_EQ(core.Count("end", 3), 0);
  editor->Tick();  // the twelfth tick after the last notch: 24 frames per second / 2
  EXPECT_EQ(core.Count("end", 3), 1);
  editor->Tick();
  EXPECT_EQ(core.Count("end", 3), 1);
  EXPECT_EQ(core.PendingGestureIndex(), -1);

  // A wheel turn with no control under the pointer does nothing.
  Clear();
  editor->OnMouseWheel(300, 300, MouseModifiers(), 4);
  EXPECT_TRUE(core.Log().empty());
  EXPECT_EQ(editor->WheelGestureTicksLeft(), 0);
}

TEST(RoutingFrameRate, CountdownIsHalfTheFrameRateButAtLeastOneTick) {
  for (int rate : {0, -7, 5, 1}) {
    TestCore core;
    std::vector<std::string> journal;
    auto* editor = new TestEditor(&core, 100, 100, rate);
    core.AttachGraphics(editor);
    editor->AttachControl(new ProbeControl(&journal, "A", PixelRect(0, 0, 100, 100), &core, 1));
    const int expectedRate = rate > 0 ? rate : 24;
    EXPECT_EQ(editor->FrameRate(), expectedRate);
    core.Clear();
    editor->OnMouseWheel(5, 5, MouseModifiers(), -1);
    const int expectedTicks = expectedRate / 2 > 1 ? expectedRate / 2 : 1;
    int ticks = 0;
    while (core.Count("end", 1) == 0 && ticks < 100) {
      editor->Tick();
      ++ticks;
    }
    EXPECT_EQ(ticks, expectedTicks) << "frame rate " << rate;
  }
}

TEST_F(Routing, HoverMovesBetweenControlsAndLeavingTellsEveryone) {
  Add("A", PixelRect(10, 10, 50, 50), 1);
  Add("B", PixelRect(60, 10, 100, 50));
  Clear();
  EXPECT_FALSE(editor->OnMouseOver(20, 20, MouseModifiers()));  // mouse-over is off by default
  EXPECT_TRUE(journal.empty());

  editor->EnableMouseOver(true);
  EXPECT_TRUE(editor->OnMouseOver(20, 20, MouseModifiers()));
  EXPECT_TRUE(editor->OnMouseOver(25, 25, MouseModifiers()));
  EXPECT_EQ(editor->HoveredControl(), 0);
  EXPECT_TRUE(editor->OnMouseOver(70, 20, MouseModifiers()));
  EXPECT_EQ(journal, (Calls{"A over", "A over", "B over", "A out"}));
  EXPECT_EQ(core.Log(), (Calls{"hover 1", "hover 1"}));  // B has no parameter
  EXPECT_EQ(editor->HoveredControl(), 1);

  // Empty background: nothing changes.
  journal.clear();
  EXPECT_TRUE(editor->OnMouseOver(200, 200, MouseModifiers()));
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(editor->HoveredControl(), 1);

  editor->OnMouseOut();
  EXPECT_EQ(journal, (Calls{"A out", "B out"}));
  EXPECT_EQ(editor->HoveredControl(), -1);
}

TEST_F(Routing, KeysGoToTheControlUnderThePointerAndDropsEndTheGesture) {
  Add("A", PixelRect(10, 10, 50, 50), 1);
  Clear();
  editor->OnKeyDown(20, 20, 16);
  editor->OnKeyDown(200, 200, 17);
  editor->OnDrop(30, 30, "loop.wav");
  editor->OnDrop(300, 30, "elsewhere.wav");
  EXPECT_EQ(journal, (Calls{"A key 16", "A drop loop.wav"}));
  EXPECT_EQ(core.Log(), (Calls{"end 1"}));
}

TEST_F(Routing, PressElsewhereClosesAnOpenPopupAndTellsItsOwnerNoChoice) {
  ProbeControl* owner = Add("A", PixelRect(10, 10, 50, 50), 1);
  Add("B", PixelRect(200, 10, 250, 50), 2);
  auto* popup = new ProbeControl(&journal, "P", PixelRect(10, 60, 80, 120));
  popup->SetOwner(owner);
  editor->AttachControl(popup);
  editor->SetPopupControl(popup);
  auto* child = new ProbeControl(&journal, "C", PixelRect(100, 60, 120, 80));
  child->SetOwner(popup);  // a control that belongs to the pop-up does not close it
  editor->AttachControl(child);
  Clear();

  // (A left press on any ordinary control forgets the pop-up; the right button keeps this to
  // the editor's own routing.)
  MouseModifiers right;
  right.right = true;
  editor->OnMouseDown(110, 70, right);
  editor->OnMouseUp(110, 70, right);
  EXPECT_EQ(editor->PopupControl(), popup);

  journal.clear();
  editor->OnMouseDown(220, 20, Left());
  EXPECT_EQ(journal, (Calls{"A result '' -1", "B down 220 20"}));
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->NControls(), 3);
  // The capture still names the pressed control after the list shrank.
  EXPECT_EQ(editor->GetControl(editor->CapturedControl())->Rect(), PixelRect(200, 10, 250, 50));
  editor->OnMouseUp(220, 20, Left());
  EXPECT_EQ(core.Log(), (Calls{"begin 2", "end 2"}));
}

TEST_F(Routing, HugeCoordinatesAndIndicesStayInsideTheList) {
  Add("A", PixelRect(0, 0, 395, 248), 1);
  Clear();
  EXPECT_EQ(editor->GetControl(-1), nullptr);
  EXPECT_EQ(editor->GetControl(1), nullptr);
  EXPECT_EQ(editor->GetControl(INT_MAX), nullptr);
  EXPECT_EQ(editor->FindControlAt(INT_MAX, INT_MIN), -1);
  editor->OnMouseDown(0, 0, Left());
  editor->OnMouseDrag(INT_MIN, INT_MAX, Left());
  editor->OnMouseDrag(INT_MAX, INT_MIN, Left());
  editor->OnMouseWheel(INT_MAX, INT_MAX, MouseModifiers(), INT_MIN);
  editor->OnMouseUp(INT_MIN, INT_MIN, Left());
  ASSERT_EQ(journal.size(), 5u);
  EXPECT_EQ(journal[1], "A drag " + std::to_string(INT_MIN) + " " + std::to_string(INT_MAX));
  EXPECT_EQ(journal[2], "A drag " + std::to_string(INT_MAX) + " " + std::to_string(INT_MIN));
  EXPECT_EQ(core.Count("begin", 1), 1);
  EXPECT_EQ(core.Count("end", 1), 1);
}

TEST_F(Routing, ResizeDropsControlsPopupAndCaptureAndTellsTheCore) {
  ProbeControl* owner = Add("A", PixelRect(10, 10, 50, 50), 1);
  auto* popup = new ProbeControl(&journal, "P", PixelRect(10, 60, 80, 120));
  popup->SetOwner(owner);
  editor->AttachControl(popup);
  editor->SetPopupControl(popup);
  editor->EnableMouseOver(true);
  editor->OnMouseOver(20, 20, MouseModifiers());
  editor->OnMouseDown(20, 20, Left());
  Clear();

  editor->Resize(400, 300);
  EXPECT_EQ(editor->NControls(), 0);
  EXPECT_EQ(editor->PopupControl(), nullptr);
  EXPECT_EQ(editor->CapturedControl(), -1);
  EXPECT_EQ(editor->HoveredControl(), -1);
  EXPECT_EQ(core.Log(), (Calls{"resize " + std::to_string(400 * 10000 + 300)}));
  EXPECT_EQ(editor->Width(), 400);
  // Events after the resize find nothing and touch nothing.
  editor->OnMouseDrag(30, 30, Left());
  editor->OnMouseUp(30, 30, Left());
  editor->ClosePopup(false);
  editor->OnMouseOut();
  EXPECT_TRUE(journal.empty());
  EXPECT_TRUE(editor->Paint(PixelRect(0, 0, 400, 300)));
}

TEST_F(Routing, DestroyedOwnerLeavesThePopupWithoutAReference) {
  ProbeControl* owner = Add("A", PixelRect(10, 10, 50, 50), 1);
  auto* popup = new ProbeControl(&journal, "P", PixelRect(10, 60, 80, 120));
  popup->SetOwner(owner);
  editor->AttachControl(popup);
  editor->SetPopupControl(popup);
  delete owner;  // leaves the list on its own
  EXPECT_EQ(editor->NControls(), 1);
  EXPECT_EQ(popup->Owner(), nullptr);
  journal.clear();
  editor->ClosePopup(false);
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(editor->NControls(), 0);
}

}  // namespace
}  // namespace quivorant::test
