// The editor opcodes against a real editor-framework editor (the off-screen one, with its window
// calls recorded): rectangle, open with the host's parent, close, idle and the host's wheel.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/IGraphicsOffscreen.h"
#include "tests/support/Vst2Host.h"
#include "tests/vst2/frontend/TestEffect.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {

class WindowedEditor : public quivorant::IGraphicsOffscreen {
public:
  WindowedEditor(TestEffect* fx, int width, int height, std::vector<std::string>* windowLog)
      : IGraphicsOffscreen(fx, width, height), fx_(fx), windowLog_(windowLog) {}
  ~WindowedEditor() override { windowLog_->push_back("destroyed"); }
  const char* WindowType() const override { return "HWND"; }
  void* OpenWindow(void* parent) override {
    fx_->hooks.push_back("open");
    windowLog_->push_back("open");
    parentSeen = parent;
    window_ = windowToGive;
    return window_;
  }
  void CloseWindow() override {
    fx_->hooks.push_back("close");
    // Whether the effect had been told before its window went.
    const bool told = fx_->hooks.size() >= 2 && fx_->hooks[fx_->hooks.size() - 2] == "closing";
    windowLog_->push_back(told ? "close after closing" : "close");
    window_ = nullptr;
  }
  void* GetWindow() override { return window_; }
  bool HostMouseWheel(float distance) override {
    wheelSeen = distance;
    return pointerOver;
  }

  void* windowToGive = nullptr;
  void* parentSeen = nullptr;
  float wheelSeen = 0.0f;
  bool pointerOver = false;

private:
  TestEffect* fx_;
  std::vector<std::string>* windowLog_;
  void* window_ = nullptr;
};

class Vst2Editor : public Vst2FrontendTest {
protected:
  void SetUp() override {
    TestEffectSetup setup;
    setup.attachEditor = false;
    Open(setup);
    editor = new WindowedEditor(fx, 395, 248, &windowLog);
  }
  void TearDown() override { Close(); }

  WindowedEditor* editor = nullptr;    // owned by the instance once attached
  std::vector<std::string> windowLog;  // outlives the instance
};

TEST_F(Vst2Editor, AttachingAddsTheFlagAndTheRectangle) {
  EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
  fx->AttachGraphics(nullptr);  // ignored
  EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
  fx->AttachGraphics(editor);
  EXPECT_EQ(effect->flags, 0x1019);
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->bottom, 248);
  EXPECT_EQ(rect->right, 395);
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(Vst2Editor, AnEditorWithoutAWindowClaimsNone) {
  delete editor;  // never attached
  editor = nullptr;
  fx->AttachGraphics(new quivorant::IGraphicsOffscreen(fx, 395, 248));
  EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
  ERect* rect = nullptr;
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
  int parent = 0;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 0);
}

TEST_F(Vst2Editor, OpenAndCloseWithTheHostsParent) {
  fx->AttachGraphics(editor);
  int parent = 0, window = 0;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, nullptr), 0);  // no parent: refused, nothing asked
  EXPECT_TRUE(fx->hooks.empty());
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 0);  // no window created
  EXPECT_EQ(editor->parentSeen, &parent);
  EXPECT_EQ(fx->hooks, std::vector<std::string>{"open"});
  editor->windowToGive = &window;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 1);
  EXPECT_TRUE(fx->EditorOpen());
  EXPECT_EQ(Dispatch(effect, effEditIdle), 0);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  EXPECT_FALSE(fx->EditorOpen());
  EXPECT_EQ(fx->hooks, (std::vector<std::string>{"open", "open", "opened", "closing", "close"}));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(Vst2Editor, LooseHostsKeepTheHooksPaired) {
  int parent = 0, otherParent = 0, window = 0;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 0);  // no editor attached
  EXPECT_EQ(Dispatch(effect, effEditClose), 0);
  fx->AttachGraphics(editor);
  // A close without an open, and a second close, ask the window but tell the effect nothing.
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  editor->windowToGive = &window;
  ASSERT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 1);
  // Opening again into another frame: the effect sees the first window close.
  ASSERT_EQ(Dispatch(effect, effEditOpen, 0, 0, &otherParent), 1);
  EXPECT_EQ(editor->parentSeen, &otherParent);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  EXPECT_EQ(fx->hooks, (std::vector<std::string>{"close", "open", "opened", "closing", "open", "opened", "closing",
                                                 "close", "close"}));
}

TEST_F(Vst2Editor, ClosingTheInstanceClosesAnOpenEditorFirst) {
  fx->AttachGraphics(editor);
  int parent = 0, window = 0;
  editor->windowToGive = &window;
  ASSERT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 1);
  const TestEffectTrace before = Trace();
  Close();
  EXPECT_EQ(windowLog, (std::vector<std::string>{"open", "close after closing", "destroyed"}));
  EXPECT_EQ(Trace().destroyed, before.destroyed + 1);
}

TEST_F(Vst2Editor, HostWheelReachesTheEditor) {
  const VstInt32 wheel = 0x73744341;                                              // 'stCA'
  const VstIntPtr whee = 0x57686565;                                              // 'Whee'
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, wheel, whee, nullptr, 1.0f), 0);  // no editor yet
  fx->AttachGraphics(editor);
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, wheel, whee, nullptr, -2.0f), 0);
  EXPECT_EQ(editor->wheelSeen, -2.0f);
  editor->pointerOver = true;
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, wheel, whee, nullptr, 1.0f), 1);
  EXPECT_EQ(editor->wheelSeen, 1.0f);
  editor->wheelSeen = 0.0f;
  EXPECT_EQ(Dispatch(effect, effVendorSpecific, wheel, 1, nullptr, 3.0f), 0);
  EXPECT_EQ(editor->wheelSeen, 0.0f);
}

}  // namespace
}  // namespace quivorant::test
