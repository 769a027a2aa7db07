// The module's editor at the host's content scale of 2, in a real window: the view asks the
// frame for twice the size once, the window takes that size and shows the large art (a
// screenshot of it is saved for the documentation).
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics_win/ScreenCapture.h"
#include "tests/vst3/editor/EditorSession.h"

namespace vst3host {
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
  ASSERT_EQ(s.view->queryInterface(IPlugViewContentScaleSupport::iid, &scaling), kResultOk);
  auto* scale = static_cast<IPlugViewContentScaleSupport*>(scaling);
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

}  // namespace
}  // namespace vst3host
