// The built VST3 module's editor in a frame of the X11 test host, under Xvfb: its pixels, real
// pointer and key events through XTest as the host's component handler hears them, opening and
// closing many times, closing in the middle of a drag or an entry, and two editors at once.
#include <X11/keysym.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/editor/EditorPicture.h"
#include "tests/graphics_x11/X11EditorSession.h"
#include "tests/reliability/MemoryUse.h"

namespace quivorant::test {
namespace {

constexpr ParamID kFilterType = 0, kFilterFreq = 1, kLfoTarget = 4, kLfoRate = 6;
constexpr int kLfoRates = 28;
// Positions in the editor's layout.
constexpr int kFreqKnobX = 52, kKnobY = 174, kRateKnobX = 287;
constexpr int kTypeButtonsLeft = 100, kTypeButtonWidth = 24, kTypeButtonsY = 118;
constexpr int kTargetDropDownX = 300, kTargetDropDownY = 119, kTargetListTop = 125, kTargetListRow = 12;

// The off-screen editor of a fresh instance, as 0xRRGGBB.
Capture OffscreenPicture(const std::vector<std::pair<int, double>>& hostValues = {}) {
  quivorant::test::EditorUnderTest reference;
  for (const auto& [index, value] : hostValues) reference.SetFromHost(index, value);
  const quivorant::test::Picture picture = reference.Render();
  Capture out{picture.width, picture.height, {}};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) out.rgb.push_back(picture.Rgb(x, y));
  return out;
}

// Pointer parked outside every frame, so that no control shows a hover.
void ParkPointer() { MovePointer(DefaultRootWindow(TestDisplay()), 0, 0); }

std::size_t OpenDescriptors() {
  std::size_t count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
  }
  return count;
}

class Vst3X11 : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(TestDisplay(), nullptr) << "no X display (the test runs under xvfb-run)";
    factory = Vst3Factory();
    ASSERT_NE(factory, nullptr) << "the module did not load";
    ParkPointer();
  }
  void TearDown() override {
    if (factory != nullptr) factory->release();
  }
  // An editor attached in `frame`, once its window shows the whole default editor.
  std::unique_ptr<Vst3X11Editor> Open(X11Frame& frame) {
    static const Capture standard = OffscreenPicture();
    auto s = std::make_unique<Vst3X11Editor>(factory, frame);
    EXPECT_EQ(s->Attach(), kResultOk);
    const Window window = s->EditorWindow();
    EXPECT_NE(window, 0u);
    EXPECT_TRUE(s->PumpUntil([&] { return window != 0 && CaptureWindow(window).rgb == standard.rgb; }));
    return s;
  }
  IPluginFactory* factory = nullptr;
  X11Frame frame{40, 40};
};

TEST_F(Vst3X11, TheWindowShowsTheOffscreenEditorsPixels) {
  auto s = std::make_unique<Vst3X11Editor>(factory, frame);
  ASSERT_NE(s->view, nullptr);
  EXPECT_EQ(s->view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
  EXPECT_EQ(s->view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(s->view->attached(frame.Handle(), kPlatformTypeHWND), kResultFalse);
  ASSERT_EQ(s->Attach(), kResultOk);
  const Window window = s->EditorWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(s->plugFrame.loop.HandlerCount(), 1u);
  EXPECT_EQ(s->plugFrame.loop.TimerCount(), 1u);

  const Capture standard = OffscreenPicture();
  EXPECT_TRUE(s->PumpUntil([&] { return CaptureWindow(window).rgb == standard.rgb; }));
  const Capture shown = CaptureWindow(window);
  EXPECT_EQ(shown.width, 395);
  EXPECT_EQ(shown.height, 248);
  EXPECT_TRUE(SavePng(shown, QUIVORANT_SCREENSHOT_PATH));

  // A host's change reaches the window with the next ticks, as it reaches the off-screen editor.
  ASSERT_EQ(s->session.controller->setParamNormalized(kFilterFreq, 0.25), kResultOk);
  ASSERT_EQ(s->session.controller->setParamNormalized(kFilterType, 1.0), kResultOk);
  const Capture changed = OffscreenPicture({{int(kFilterFreq), 0.25}, {int(kFilterType), 1.0}});
  EXPECT_NE(changed.rgb, standard.rgb);
  EXPECT_TRUE(s->PumpUntil([&] { return CaptureWindow(window).rgb == changed.rgb; }));
}

TEST_F(Vst3X11, DragFineDragDoubleClickAndWheelOnAKnob) {
  auto s = Open(frame);
  const Window w = s->EditorWindow();
  const double start = s->Normalized(kFilterFreq);
  auto drag = [&](bool fine) {
    s->handler.calls.clear();
    if (fine) HoldKey(XK_Control_L, true);
    MovePointer(w, kFreqKnobX, kKnobY);
    PressButton(1, true);
    for (int i = 1; i <= 5; ++i) MovePointer(w, kFreqKnobX, kKnobY - 8 * i);
    PressButton(1, false);
    if (fine) HoldKey(XK_Control_L, false);
    EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterFreq) == "b p e"; })) << s->Gestures(kFilterFreq);
    // Far enough apart that the next press is not a double click.
    s->PumpFor(450);
  };
  drag(false);
  const double coarse = s->Normalized(kFilterFreq) - start;
  EXPECT_GT(coarse, 0.1);
  const double before = s->Normalized(kFilterFreq);
  drag(true);
  const double fine = s->Normalized(kFilterFreq) - before;
  EXPECT_GT(fine, 0.0);
  EXPECT_LT(fine, coarse / 2);

  // A double click puts the default back, as one gesture.
  s->handler.calls.clear();
  Click(w, kFreqKnobX, kKnobY);
  Click(w, kFreqKnobX, kKnobY);
  EXPECT_TRUE(s->PumpUntil([&] { return std::abs(s->Normalized(kFilterFreq) - start) < 1e-9; }));

  // The wheel: buttons 4 and 5 turn it, and the gesture ends about half a second later;
  // buttons 6 and 7 (sideways) do nothing.
  s->handler.calls.clear();
  MovePointer(w, kFreqKnobX, kKnobY);
  PressButton(6, true);
  PressButton(6, false);
  PressButton(4, true);
  PressButton(4, false);
  EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterFreq) == "b p"; })) << s->Gestures(kFilterFreq);
  EXPECT_NEAR(s->Normalized(kFilterFreq), start + 0.01, 2e-3);
  EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterFreq) == "b p e"; }));
}

TEST_F(Vst3X11, ButtonsAndTheLfoTargetList) {
  auto s = Open(frame);
  const Window w = s->EditorWindow();
  Click(w, kTypeButtonsLeft + 2 * kTypeButtonWidth + 12, kTypeButtonsY);
  EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterType) == "b p e"; }));
  EXPECT_EQ(s->DisplayText(kFilterType), "Bandpass");

  Click(w, kTargetDropDownX, kTargetDropDownY);
  s->PumpFor(100);
  // Third of the four rows.
  Click(w, kTargetDropDownX, kTargetListTop + 2 * kTargetListRow + 6);
  EXPECT_TRUE(s->PumpUntil([&] { return s->DisplayText(kLfoTarget) == "Filter Bandwidth"; }))
      << s->DisplayText(kLfoTarget);
}

TEST_F(Vst3X11, ARightClickOnLfoRatePicksFromThePopupList) {
  auto s = Open(frame);
  const Window w = s->EditorWindow();
  // "1/8" current, so the list opens at its top with "1/8T" second.
  ASSERT_EQ(s->session.controller->setParamNormalized(kLfoRate, 3.0 / (kLfoRates - 1)), kResultOk);
  MovePointer(w, kRateKnobX, kKnobY);
  s->PumpFor(100);
  const Capture before = CaptureWindow(w);
  Click(w, kRateKnobX, kKnobY, 3);
  Capture open;
  ASSERT_TRUE(s->PumpUntil([&] {
    open = CaptureWindow(w);
    return open.rgb != before.rgb;
  }));
  s->PumpFor(100);
  open = CaptureWindow(w);
  // The list: the rows that changed, seven of them visible.
  int top = open.height, bottom = 0, left = open.width;
  for (int y = 0; y < open.height; ++y)
    for (int x = 0; x < open.width; ++x)
      if (open.At(x, y) != before.At(x, y)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
        left = std::min(left, x);
      }
  ASSERT_LT(top, bottom);
  const int row = (bottom - top) / 7;
  s->handler.calls.clear();
  Click(w, left + 25, top + row + row / 2);
  EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kLfoRate) == "b p e"; })) << s->Gestures(kLfoRate);
  EXPECT_EQ(s->DisplayText(kLfoRate), "1/8T");
}

TEST_F(Vst3X11, TypingAValueIntoTheEntry) {
  auto s = Open(frame);
  const Window w = s->EditorWindow();
  const Capture before = CaptureWindow(w);
  Click(w, kFreqKnobX, kKnobY, 3);
  ASSERT_TRUE(s->PumpUntil([&] { return CaptureWindow(w).rgb != before.rgb; }));
  s->handler.calls.clear();
  // The whole value is selected: typing replaces it; a mistake is taken back.
  TypeText("15009");
  TapKey(XK_BackSpace);
  TapKey(XK_Return);
  EXPECT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterFreq) == "b p e"; })) << s->Gestures(kFilterFreq);
  EXPECT_NEAR(s->Plain(kFilterFreq), 1500.0, 1e-6);
  // The entry has gone: the window shows the editor again.
  ParkPointer();
  const Capture standard = OffscreenPicture({{int(kFilterFreq), s->Normalized(kFilterFreq)}});
  EXPECT_TRUE(s->PumpUntil([&] { return CaptureWindow(w).rgb == standard.rgb; }));

  // Escape drops what was typed.
  Click(w, kFreqKnobX, kKnobY, 3);
  s->PumpFor(100);
  s->handler.calls.clear();
  TypeText("99");
  TapKey(XK_Escape);
  s->PumpFor(200);
  EXPECT_TRUE(s->handler.calls.empty());
  EXPECT_NEAR(s->Plain(kFilterFreq), 1500.0, 1e-6);
}

// The maker's link runs xdg-open from PATH with the address as its one argument, and a launch
// that fails shows the editor's own failure box until the user answers it.
TEST_F(Vst3X11, TheMakersLinkRunsXdgOpenOrShowsTheFailureBox) {
  char dir[] = "/tmp/quivorant-xdg-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string opened = std::string(dir) + "/opened";
  const std::string script = std::string(dir) + "/xdg-open";
  auto writeScript = [&](int exitCode) {
    FILE* f = std::fopen(script.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "#!/bin/sh\nprintf '%%s' \"$1\" > '%s'\nexit %d\n", opened.c_str(), exitCode);
    std::fclose(f);
    chmod(script.c_str(), 0755);
  };
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", dir, 1);
  auto s = Open(frame);
  const Window w = s->EditorWindow();
  static const Capture standard = OffscreenPicture();
  auto boxShown = [&] { return CaptureWindow(w).rgb != standard.rgb; };
  auto boxGone = [&] { return CaptureWindow(w).rgb == standard.rgb; };

  // No xdg-open at all: the failure box at once; Enter answers it.
  Click(w, 150, 30);
  EXPECT_TRUE(s->PumpUntil(boxShown));
  TapKey(XK_Return);
  EXPECT_TRUE(s->PumpUntil(boxGone));

  // One that opens: the address arrives whole, no box. (Each click lands apart from the one
  // before, so that none makes a double click.)
  writeScript(0);
  ParkPointer();
  Click(w, 200, 40);
  ParkPointer();
  EXPECT_TRUE(s->PumpUntil([&] {
    FILE* f = std::fopen(opened.c_str(), "r");
    if (f == nullptr) return false;
    char text[128] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    return std::string(text, n) == "https://www.tolvane.com/quivorant";
  }));
  s->PumpFor(200);
  EXPECT_TRUE(boxGone());

  // One that fails: the box follows its exit.
  writeScript(3);
  Click(w, 100, 20);
  ParkPointer();
  EXPECT_TRUE(s->PumpUntil(boxShown));
  setenv("PATH", path.c_str(), 1);
  std::remove(opened.c_str());
  std::remove(script.c_str());
  rmdir(dir);
}

TEST_F(Vst3X11, ClosingDuringADragOrAnEntryIsSafe) {
  auto s = Open(frame);
  Window w = s->EditorWindow();
  MovePointer(w, kFreqKnobX, kKnobY);
  PressButton(1, true);
  MovePointer(w, kFreqKnobX, kKnobY - 20);
  ASSERT_TRUE(s->PumpUntil([&] { return s->Gestures(kFilterFreq) == "b p"; }));
  EXPECT_EQ(s->Remove(), kResultOk);
  // The host's gesture does not stay open; the release arrives at no window.
  EXPECT_EQ(s->Gestures(kFilterFreq), "b p e");
  PressButton(1, false);
  EXPECT_TRUE(frame.Children().empty());

  ASSERT_EQ(s->Attach(), kResultOk);
  w = s->EditorWindow();
  s->PumpFor(100);
  const double value = s->Normalized(kFilterFreq);
  Click(w, kFreqKnobX, kKnobY, 3);
  s->PumpFor(100);
  TypeText("20");
  s->PumpFor(50);
  s->handler.calls.clear();
  EXPECT_EQ(s->Remove(), kResultOk);
  TapKey(XK_Return);
  EXPECT_EQ(s->Attach(), kResultOk);
  s->PumpFor(200);
  EXPECT_TRUE(s->handler.calls.empty());
  EXPECT_EQ(s->Normalized(kFilterFreq), value);

  // A host that destroys its window before it removes the view.
  X11Frame doomed(40, 320);
  Vst3X11Editor d(factory, doomed);
  ASSERT_EQ(d.Attach(), kResultOk);
  d.PumpFor(50);
  XDestroyWindow(TestDisplay(), doomed.window);
  XSync(TestDisplay(), False);
  doomed.window = 0;
  d.PumpFor(100);
  EXPECT_EQ(d.Remove(), kResultOk);
  EXPECT_EQ(d.Attach(), kResultFalse);  // no such window any more
  EXPECT_EQ(d.plugFrame.loop.HandlerCount(), 0u);
  EXPECT_EQ(d.plugFrame.loop.TimerCount(), 0u);
}

TEST_F(Vst3X11, OpeningAndClosing200TimesLeavesNothingBehind) {
  auto s = std::make_unique<Vst3X11Editor>(factory, frame);
  auto cycle = [&] {
    ASSERT_EQ(s->Attach(), kResultOk);
    s->Pump(0);
    ASSERT_EQ(s->Remove(), kResultOk);
  };
  for (int i = 0; i < 20; ++i) cycle();
  const quivorant::test::MemoryUse settled = quivorant::test::MeasureMemory();
  const std::size_t descriptors = OpenDescriptors();
  for (int i = 0; i < 180; ++i) cycle();
  const quivorant::test::MemoryUse after = quivorant::test::MeasureMemory();
  EXPECT_TRUE(frame.Children().empty());
  EXPECT_EQ(s->plugFrame.loop.HandlerCount(), 0u);
  EXPECT_EQ(s->plugFrame.loop.TimerCount(), 0u);
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_LT(after.heapInUse, settled.heapInUse + 16 * 1024) << settled.heapInUse << " -> " << after.heapInUse;
}

TEST_F(Vst3X11, TwoEditorsAtOnceWorkIndependently) {
  X11Frame second(460, 40);
  auto a = Open(frame);
  auto b = Open(second);
  ASSERT_NE(a->EditorWindow(), b->EditorWindow());
  Click(b->EditorWindow(), kTypeButtonsLeft + 12, kTypeButtonsY);
  auto both = [&] {
    a->Pump(2);
    b->Pump(2);
  };
  EXPECT_TRUE(WaitFor([&] { return b->Gestures(kFilterType) == "b p e"; }, both));
  EXPECT_EQ(b->DisplayText(kFilterType), "Lowpass");
  EXPECT_EQ(a->DisplayText(kFilterType), "Highpass");
  EXPECT_TRUE(a->handler.calls.empty());

  // Closing one leaves the other working.
  EXPECT_EQ(b->Remove(), kResultOk);
  Click(a->EditorWindow(), kTypeButtonsLeft + 2 * kTypeButtonWidth + 12, kTypeButtonsY);
  EXPECT_TRUE(a->PumpUntil([&] { return a->DisplayText(kFilterType) == "Bandpass"; }));
  EXPECT_EQ(b->DisplayText(kFilterType), "Lowpass");
}

}  // namespace
}  // namespace quivorant::test
