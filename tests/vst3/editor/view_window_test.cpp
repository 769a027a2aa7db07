// The built module's editor opened through its VST3 view in a host window (Wine, virtual
// display): the child window, the images drawn from the module's own resources (and a
// screenshot of them), closing, two instances sharing the window class, and views that the host
// lets go of in an unusual order.
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics_win/HostFrame.h"
#include "tests/graphics_win/ScreenCapture.h"
#include "tests/vst3/editor/EditorSession.h"

namespace quivorant::test {
namespace {

using quivorant::test::Capture;
using quivorant::test::CaptureClient;
using quivorant::test::NearColour;

// Where the editor's controls draw over the background (left, top, right, bottom, both edges
// included): the version text, the buttons, the drop-down, the knobs and the LFO strip.
const RECT kControlAreas[] = {{223, 7, 261, 25},    {100, 112, 172, 125}, {271, 112, 343, 126}, {355, 87, 370, 102},
                              {22, 154, 82, 210},   {88, 154, 128, 210},  {144, 154, 184, 210}, {201, 158, 261, 210},
                              {267, 154, 307, 210}, {323, 154, 363, 210}, {0, 211, 395, 217}};

bool InControlArea(int x, int y) {
  for (const RECT& r : kControlAreas)
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return true;
  return false;
}

// Share of the pixels outside every control that show the background image.
double BackgroundShare(const Capture& shot, const Capture& background) {
  int outside = 0, matching = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (InControlArea(x, y)) continue;
      ++outside;
      matching += NearColour(shot.At(x, y), background.At(x, y)) ? 1 : 0;
    }
  }
  return outside > 0 ? double(matching) / outside : 0.0;
}

// Wine opens files of the build tree through its Z: drive.
std::string WinePath(const char* path) { return std::string("Z:") + path; }

TEST_F(Vst3Editor, TheViewOpensTheEditorInTheHostWindowAndDrawsTheModulesImages) {
  EditorSession s(factory, frame);
  ASSERT_NE(s.view, nullptr);
  EXPECT_EQ(s.view->isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);
  // Nothing opens for a parent window of another platform.
  EXPECT_EQ(s.view->attached(frame, kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(FindWindowExA(frame, nullptr, kEditorWindowClass, nullptr), nullptr);
  // Without a parent no child window can be made: refused, and the window class not kept.
  EXPECT_EQ(s.view->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  EXPECT_FALSE(EditorWindowClassRegistered());

  ASSERT_EQ(s.Attach(), kResultOk);
  ASSERT_NE(s.window, nullptr);
  EXPECT_EQ(GetParent(s.window), frame);
  EXPECT_NE(GetWindowLongA(s.window, GWL_STYLE) & WS_CHILD, 0);
  RECT client = {};
  ASSERT_TRUE(GetClientRect(s.window, &client));
  ViewRect size;
  ASSERT_EQ(s.view->getSize(&size), kResultOk);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  EXPECT_EQ(client.right, 395);
  EXPECT_EQ(client.bottom, 248);

  s.Tick();  // the first tick paints everything
  const Capture shot = CaptureClient(s.window);
  ASSERT_EQ(shot.width, 395);
  ASSERT_EQ(shot.height, 248);
  // The background comes from the module's own resources: without them the window stays blank.
  const Capture background = quivorant::test::LoadPng(WinePath(QUIVORANT_BACKGROUND_PNG));
  ASSERT_EQ(background.width, 395);
  ASSERT_EQ(background.height, 248);
  EXPECT_GT(BackgroundShare(shot, background), 0.98);
  // The knobs' bodies cover the background where they sit.
  int knobDiffers = 0;
  for (int y = 160; y < 190; ++y)
    for (int x = 40; x < 65; ++x) knobDiffers += NearColour(shot.At(x, y), background.At(x, y)) ? 0 : 1;
  EXPECT_GT(knobDiffers, 100);
  EXPECT_TRUE(quivorant::test::SavePng(shot, WinePath(QUIVORANT_SCREENSHOT_PATH)));

  const HWND window = s.window;
  EXPECT_EQ(s.Remove(), kResultOk);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(FindWindowExA(frame, nullptr, kEditorWindowClass, nullptr), nullptr);
  EXPECT_EQ(s.Remove(), kResultOk);  // twice: nothing left to close

  // Attached again, and again without removed: one editor window at a time.
  ASSERT_EQ(s.Attach(), kResultOk);
  ASSERT_EQ(s.Attach(), kResultOk);
  EXPECT_EQ(FindWindowExA(frame, s.window, kEditorWindowClass, nullptr), nullptr);
  // The host lets go of the view while it is attached: the window does not stay behind.
  const HWND reopened = s.window;
  s.view->release();
  s.view = nullptr;
  EXPECT_FALSE(IsWindow(reopened));
}

TEST_F(Vst3Editor, TwoInstancesHoldTheWindowClassExactlyWhileOneIsOpen) {
  const HWND secondFrame = quivorant::test::CreateHostFrame();
  ASSERT_NE(secondFrame, nullptr);
  {
    EditorSession a(factory, frame);
    EditorSession b(factory, secondFrame);
    EXPECT_FALSE(EditorWindowClassRegistered());
    ASSERT_EQ(a.Attach(), kResultOk);
    EXPECT_TRUE(EditorWindowClassRegistered());
    ASSERT_EQ(b.Attach(), kResultOk);
    EXPECT_NE(a.window, b.window);
    EXPECT_EQ(GetParent(b.window), secondFrame);
    a.Remove();
    EXPECT_TRUE(EditorWindowClassRegistered());
    EXPECT_TRUE(IsWindow(b.window));
    b.Tick();  // the remaining editor still runs
    b.Remove();
    EXPECT_FALSE(EditorWindowClassRegistered());
    ASSERT_EQ(a.Attach(), kResultOk);
    EXPECT_TRUE(EditorWindowClassRegistered());
    a.Remove();
    EXPECT_FALSE(EditorWindowClassRegistered());
  }
  DestroyWindow(secondFrame);
}

TEST_F(Vst3Editor, AnOpenViewKeepsTheInstanceAfterTheHostReleasedIt) {
  EditorSession s(factory, frame);
  ASSERT_EQ(s.Attach(), kResultOk);
  s.session.component->terminate();
  EXPECT_EQ(s.session.ReleaseAll(), 1u);  // the view's own reference
  ASSERT_TRUE(IsWindow(s.window));
  // The editor keeps working on the instance the view holds.
  s.Tick(3);
  quivorant::test::PumpMessages(100);
  ViewRect size;
  EXPECT_EQ(s.view->getSize(&size), kResultOk);
  const HWND window = s.window;
  EXPECT_EQ(s.view->removed(), kResultOk);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(s.view->release(), 0u);  // the instance goes with it
  s.view = nullptr;
}

}  // namespace
}  // namespace quivorant::test
