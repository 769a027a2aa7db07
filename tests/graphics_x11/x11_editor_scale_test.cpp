// The built VST3 module's X11 editor at other sizes, under Xvfb: the desktop's Xft.dpi as the
// default scale, and the size picked from the background's right-click menu, which the frame is
// asked to follow and which draws the same pixels as the off-screen editor at that size.
#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/editor/EditorPicture.h"
#include "tests/graphics_x11/X11EditorSession.h"

namespace quivorant::test {
namespace {

// Sets (or, with null, deletes) the display's resource database string, as xrdb does.
void SetResources(const char* text) {
  Display* d = TestDisplay();
  const Window root = DefaultRootWindow(d);
  if (text) {
    XChangeProperty(d, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text), int(std::strlen(text)));
  } else {
    XDeleteProperty(d, root, XA_RESOURCE_MANAGER);
  }
  XSync(d, False);
}

class X11Scale : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(TestDisplay(), nullptr) << "no X display (the test runs under xvfb-run)";
    factory = Vst3Factory();
    ASSERT_NE(factory, nullptr);
  }
  void TearDown() override {
    SetResources(nullptr);
    if (factory != nullptr) factory->release();
  }
  IPluginFactory* factory = nullptr;
  X11Frame frame{40, 40, 800, 510};
};

TEST_F(X11Scale, TheDesktopsXftDpiSetsTheSizeTheEditorOpensAt) {
  SetResources("Xft.dpi:\t192\n");
  Vst3X11Editor s(factory, frame);
  ASSERT_EQ(s.Attach(), kResultOk);
  EXPECT_EQ(s.plugFrame.requests, 1);
  EXPECT_EQ(s.plugFrame.lastSize.getWidth(), 790);
  EXPECT_EQ(s.plugFrame.lastSize.getHeight(), 496);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(TestDisplay(), s.EditorWindow(), &a));
  EXPECT_EQ(a.width, 790);
  EXPECT_EQ(a.height, 496);
}

TEST_F(X11Scale, TheBackgroundMenuResizesTheEditorTo200Percent) {
  quivorant::test::EditorUnderTest reference;
  reference.editor->RestoreChosenScale(200);
  const quivorant::test::Picture large = reference.Render();

  Vst3X11Editor s(factory, frame);
  ASSERT_EQ(s.Attach(), kResultOk);
  const Window w = s.EditorWindow();
  ASSERT_NE(w, 0u);
  s.PumpFor(200);
  const Capture before = CaptureWindow(w);
  Click(w, 10, 140, 3);  // the background, away from every control
  Capture open;
  ASSERT_TRUE(s.PumpUntil([&] {
    open = CaptureWindow(w);
    return open.rgb != before.rgb;
  }));
  s.PumpFor(100);
  open = CaptureWindow(w);
  // The menu covers the rows that changed, five entries; the last is 200 %.
  std::vector<int> changedRows;
  int left = open.width;
  for (int y = 0; y < open.height; ++y) {
    int x = 0;
    while (x < open.width && open.At(x, y) == before.At(x, y)) ++x;
    if (x == open.width) continue;
    changedRows.push_back(y);
    left = std::min(left, x);
  }
  ASSERT_FALSE(changedRows.empty());
  const int height = changedRows.back() - changedRows.front() + 1;
  Click(w, left + 20, changedRows.back() - height / 10);
  ASSERT_TRUE(s.PumpUntil([&] { return CaptureWindow(w).width == 790; }));
  EXPECT_EQ(s.plugFrame.requests, 1);
  EXPECT_EQ(s.plugFrame.lastSize.getWidth(), 790);
  EXPECT_EQ(s.plugFrame.lastSize.getHeight(), 496);
  MovePointer(DefaultRootWindow(TestDisplay()), 0, 0);  // no hover in the picture
  EXPECT_TRUE(s.PumpUntil([&] {
    const Capture shown = CaptureWindow(w);
    if (shown.width != large.width || shown.height != large.height) return false;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x)
        if (shown.At(x, y) != large.Rgb(x, y)) return false;
    return true;
  }));
}

}  // namespace
}  // namespace quivorant::test
