// The built VST2 library's editor in a frame of the X11 test host: effEditOpen with the frame's
// window id, effEditIdle as the only driver, a real click heard through the host callback, and
// effEditClose taking the window away.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/editor/EditorPicture.h"
#include "tests/graphics_x11/X11TestHost.h"
#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

using quivorant::test::HostCall;
using quivorant::test::LoadedPlugin;
using quivorant::test::RecordingHost;

// The host's edit calls for parameter `index`: b(egin), a(utomate), e(nd), a run of automates once.
std::string Edits(const RecordingHost& host, int index) {
  std::string out;
  char last = 0;
  for (const HostCall& c : host.calls) {
    const char kind = c.opcode == audioMasterBeginEdit  ? 'b'
                      : c.opcode == audioMasterEndEdit  ? 'e'
                      : c.opcode == audioMasterAutomate ? 'a'
                                                        : 0;
    if (kind == 0 || c.index != index || (kind == 'a' && last == 'a')) continue;
    if (!out.empty()) out += ' ';
    out += kind;
    last = kind;
  }
  return out;
}

TEST(Vst2X11, EditOpenShowsTheEditorAndIdleDrivesIt) {
  ASSERT_NE(TestDisplay(), nullptr) << "no X display (the test runs under xvfb-run)";
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  EXPECT_NE(p.effect->flags & effFlagsHasEditor, 0);
  p.Start();
  MovePointer(DefaultRootWindow(TestDisplay()), 0, 0);
  X11Frame frame(40, 320);
  ASSERT_EQ(p.Call(effEditOpen, 0, 0, frame.Handle()), 1);
  ASSERT_EQ(frame.Children().size(), 1u);
  const Window window = frame.Children().front();
  auto idle = [&] {
    p.Call(effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };

  quivorant::test::EditorUnderTest reference;
  const quivorant::test::Picture picture = reference.Render();
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) expected.push_back(picture.Rgb(x, y));
  EXPECT_TRUE(WaitFor([&] { return CaptureWindow(window).rgb == expected; }, idle));

  // The Bandpass button: one gesture toward the host.
  host.Clear();
  Click(window, 100 + 2 * 24 + 12, 118);
  EXPECT_TRUE(WaitFor([&] { return Edits(host, 0) == "b a e"; }, idle)) << Edits(host, 0);
  EXPECT_EQ(p.Text(effGetParamDisplay, 0), "Bandpass");

  EXPECT_EQ(p.Call(effEditClose), 1);
  EXPECT_TRUE(frame.Children().empty());
  EXPECT_EQ(p.Call(effEditIdle), 0);
  // Opening again works, in the same frame.
  EXPECT_EQ(p.Call(effEditOpen, 0, 0, frame.Handle()), 1);
  EXPECT_EQ(frame.Children().size(), 1u);
}

}  // namespace
}  // namespace quivorant::test
