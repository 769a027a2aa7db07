// The module's editor at the host's content scale of 2, in a real window: the view asks the
// frame for twice the size once, the window takes that size and shows the large art (a
// screenshot of it is saved for the documentation). Without the host's factor, the monitor's.
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics_win/ScreenCapture.h"
#include "tests/vst3/editor/EditorSession.h"

namespace quivorant::test {
namespace {

using quivorant::test::Capture;
using quivorant::test::CaptureClient;
using quivorant::test::NearColour;

TEST_F(Vst3Editor, AtTheHostsScaleOfTwoTheWindowDoublesAndShowsTheLargeArt) {
  // Room for the larger editor inside the host's frame.
  SetWindowPos(frame, nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
  EditorSession s(factory, frame);
  ASSERT_NE(s.view, nullptr);
  ASSERT_EQ(s.Attach(), kResultOk);
  void* scaling = nullptr;
  ASSERT_EQ(s.view->queryInterface(IViewContentScaleSupport::iid, &scaling), kResultOk);
  auto* scale = static_cast<IViewContentScaleSupport*>(scaling);
  const int before = s.frame.requests;
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);
  scale->release();
  EXPECT_EQ(s.frame.requests, before + 1);
  EXPECT_EQ(s.frame.lastSize.getWidth(), 790);
  EXPECT_EQ(s.frame.lastSize.getHeight(), 496);
  RECT client = {};
  ASSERT_TRUE(GetClientRect(s.window, &client));
  EXPECT_EQ(client.right, 790);
  EXPECT_EQ(client.bottom, 496);

  s.Tick();
  const Capture shot = CaptureClient(s.window);
  ASSERT_EQ(shot.width, 790);
  const Capture large = quivorant::test::LoadPng(std::string("Z:") + QUIVORANT_LARGE_BACKGROUND_PNG);
  ASSERT_EQ(large.width, 790);
  // The title strip above every control is the large background, pixel for pixel.
  int same = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 790; ++x) same += NearColour(shot.At(x, y), large.At(x, y)) ? 1 : 0;
  EXPECT_EQ(same, 12 * 790);
  EXPECT_TRUE(quivorant::test::SavePng(shot, std::string("Z:") + QUIVORANT_SCREENSHOT_2X_PATH));
  SetWindowPos(frame, nullptr, 0, 0, 520, 400, SWP_NOMOVE | SWP_NOZORDER);
}

// Without a factor from the host the editor follows its monitor's resolution (here the message
// Windows sends when the window moves to a monitor of another scale); once the host gives one,
// the host's wins.
TEST_F(Vst3Editor, WithoutAHostScaleTheEditorFollowsItsMonitor) {
  SetWindowPos(frame, nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
  EditorSession s(factory, frame);
  ASSERT_EQ(s.Attach(), kResultOk);
  const int before = s.frame.requests;
  constexpr UINT kDpiChanged = 0x02E0;
  RECT suggested = {0, 0, 593, 372};
  SendMessageA(s.window, kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT client = {};
  ASSERT_TRUE(GetClientRect(s.window, &client));
  EXPECT_EQ(client.right, 593);
  EXPECT_EQ(client.bottom, 372);
  EXPECT_EQ(s.frame.requests, before + 1);
  EXPECT_EQ(s.frame.lastSize.getWidth(), 593);

  void* scaling = nullptr;
  ASSERT_EQ(s.view->queryInterface(IViewContentScaleSupport::iid, &scaling), kResultOk);
  static_cast<IViewContentScaleSupport*>(scaling)->setContentScaleFactor(1.0f);
  static_cast<IViewContentScaleSupport*>(scaling)->release();
  SendMessageA(s.window, kDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  ASSERT_TRUE(GetClientRect(s.window, &client));
  EXPECT_EQ(client.right, 395);
  EXPECT_EQ(s.frame.requests, before + 2);  // the host's 1, and nothing for the monitor after it
  SetWindowPos(frame, nullptr, 0, 0, 520, 400, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace
}  // namespace quivorant::test
