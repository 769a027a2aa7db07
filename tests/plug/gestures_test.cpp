#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "tests/support/FakeCore.h"

namespace quivorant {
namespace {

using test::FakeCore;
using test::FakeEditor;
using test::MakeIdentity;

class GestureEffect : public FakeCore {
public:
  GestureEffect() : FakeCore(MakeIdentity(3, "2-2", 0)) {
    GetParam(0)->SetupEnum("Type", 1, 3);
    GetParam(1)->SetupInt("Freq", 20, 20, 20000, "Hz");
    GetParam(1)->SetExponent(2.0);
    GetParam(2)->SetupInt("Depth", 90, 0, 100, "%");
  }
};

TEST(Editor, AttachPushesNormalisedValuesThenPreparesAndIsOwned) {
  bool destroyed = false;
  {
    GestureEffect fx;
    fx.AttachGraphics(nullptr);
    EXPECT_EQ(fx.Editor(), nullptr);
    auto* editor = new FakeEditor(24, &destroyed);
    fx.AttachGraphics(editor);
    EXPECT_EQ(fx.Editor(), editor);
    ASSERT_EQ(editor->pushes.size(), 3u);
    EXPECT_EQ(editor->prepared, 3u);  // after every parameter
    EXPECT_TRUE(editor->pushes[0].normalized);
    EXPECT_DOUBLE_EQ(editor->pushes[0].value, 0.5);  // 1 of 0..2
    EXPECT_DOUBLE_EQ(editor->pushes[1].value, 0.0);  // the minimum
    EXPECT_DOUBLE_EQ(editor->pushes[2].value, 0.9);

    editor->pushes.clear();
    fx.GetParam(1)->value = 5015;
    fx.RedrawParamControls();
    ASSERT_EQ(editor->pushes.size(), 3u);
    EXPECT_EQ(editor->pushes[1].value, 5015.0);
    EXPECT_FALSE(editor->pushes[1].normalized);
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
}

TEST(Editor, ASecondEditorReplacesAndFreesTheFirst) {
  bool firstGone = false;
  bool secondGone = false;
  {
    GestureEffect fx;
    fx.AttachGraphics(new FakeEditor(24, &firstGone));
    fx.AttachGraphics(new FakeEditor(24, &secondGone));
    EXPECT_TRUE(firstGone);
    EXPECT_FALSE(secondGone);
  }
  EXPECT_TRUE(secondGone);
}

TEST(Gestures, SetParamFromEditorSetsTellsHostThenEffect) {
  GestureEffect fx;
  fx.SetParamFromEditor(1, 0.5);
  EXPECT_EQ(fx.GetParam(1)->value, 5015.0);
  ASSERT_EQ(fx.Edits().size(), 1u);
  EXPECT_EQ(fx.Edits()[0].first, 1);
  EXPECT_EQ(fx.Edits()[0].second, 0.5);
  EXPECT_EQ(fx.changed, (std::vector<int>{1}));

  fx.SetParamFromEditor(3, 0.5);
  fx.SetParamFromEditor(-1, 0.5);
  EXPECT_EQ(fx.Edits().size(), 1u);
  EXPECT_EQ(fx.changed.size(), 1u);
}

TEST(Gestures, WheelGestureEndsOnlyWhenFlushed) {
  GestureEffect fx;
  auto* editor = new FakeEditor(24);
  fx.AttachGraphics(editor);
  fx.EndParamGestureDeferred(2);
  EXPECT_EQ(fx.PendingGestureIndex(), 2);
  EXPECT_EQ(editor->wheelTicks, (std::vector<int>{12}));
  EXPECT_TRUE(fx.Log().empty());

  fx.FlushDeferredGesture();
  EXPECT_EQ(editor->clears, 1);
  EXPECT_EQ(fx.Log(), (std::vector<std::string>{"end 2"}));
  EXPECT_EQ(fx.PendingGestureIndex(), -1);

  fx.FlushDeferredGesture();  // nothing pending: no second end
  EXPECT_EQ(editor->clears, 2);
  EXPECT_EQ(fx.Log().size(), 1u);
}

TEST(Gestures, AWaitingGestureOfAnotherParameterEndsBeforeTheNextWaits) {
  GestureEffect fx;
  fx.AttachGraphics(new FakeEditor(24));
  fx.EndParamGestureDeferred(0);
  fx.EndParamGestureDeferred(0);  // the same knob again: still one gesture
  EXPECT_TRUE(fx.Log().empty());
  fx.EndParamGestureDeferred(2);
  EXPECT_EQ(fx.Log(), (std::vector<std::string>{"end 0"}));
  EXPECT_EQ(fx.PendingGestureIndex(), 2);
  fx.EndParamGestureDeferred(7);  // no such parameter
  fx.EndParamGestureDeferred(-1);
  EXPECT_EQ(fx.PendingGestureIndex(), 2);
  fx.FlushDeferredGesture();
  EXPECT_EQ(fx.Log(), (std::vector<std::string>{"end 0", "end 2"}));
}

TEST(Gestures, WheelTicksAreHalfTheFrameRateAtLeastOne) {
  for (const auto& [rate, ticks] : std::vector<std::pair<int, int>>{{24, 12}, {25, 12}, {3, 1}, {1, 1}, {0, 1}}) {
    GestureEffect fx;
    auto* editor = new FakeEditor(rate);
    fx.AttachGraphics(editor);
    fx.EndParamGestureDeferred(0);
    EXPECT_EQ(editor->wheelTicks, (std::vector<int>{ticks})) << "frame rate " << rate;
  }
}

TEST(Gestures, WithoutAnEditorTheGestureEndsAtOnce) {
  GestureEffect fx;
  fx.EndParamGestureDeferred(1);
  EXPECT_EQ(fx.Log(), (std::vector<std::string>{"end 1"}));
  EXPECT_EQ(fx.PendingGestureIndex(), -1);
}

TEST(Hooks, NotificationsAndMidiLists) {
  GestureEffect fx;
  fx.NotifyAllParamsChanged();
  EXPECT_EQ(fx.changed, (std::vector<int>{0, 1, 2}));
  fx.ParamChangedLocked(2);
  EXPECT_EQ(fx.changed.back(), 2);

  EXPECT_TRUE(fx.SendMidiMessages(nullptr, 0));
  MidiMessage msgs[3];
  msgs[0].status = 0x90;
  msgs[1].status = 0xFF;  // refused
  msgs[2].status = 0x80;
  EXPECT_FALSE(fx.SendMidiMessages(msgs, 3));
  EXPECT_EQ(fx.sentMidi, (std::vector<int>{0x90, 0xFF, 0x80}));  // every message is still sent
  EXPECT_TRUE(fx.SendMidiMessages(msgs, 1));

  char name[8] = "stale";
  EXPECT_FALSE(fx.NoteName(60, name, sizeof name));
  EXPECT_STREQ(name, "");
  EXPECT_EQ(fx.CtlColorHook(1, 2, 3), 0);
}

TEST(Lock, EditorChangesWaitForAHolderOnAnotherThread) {
  GestureEffect fx;
  fx.GetLock().Lock();
  fx.GetLock().Lock();  // recursive for its holder
  std::atomic<bool> done{false};
  std::thread editorThread([&] {
    fx.SetParamFromEditor(2, 1.0);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(done.load());
  EXPECT_EQ(fx.GetParam(2)->value, 90.0);
  fx.GetLock().Unlock();
  fx.GetLock().Unlock();
  editorThread.join();
  EXPECT_TRUE(done.load());
  EXPECT_EQ(fx.GetParam(2)->value, 100.0);
}

}  // namespace
}  // namespace quivorant
