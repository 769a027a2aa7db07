#include "tests/graphics_win/EditorHost.h"

#include <gtest/gtest.h>

#include "graphics/BitmapCache.h"
#include "graphics/controls/IDropDown.h"
#include "graphics/controls/IKnobRotVal.h"
#include "graphics/controls/IRadioButtons.h"
#include "raster/RasterMemBitmap.h"
#include "tests/graphics_win/WindowInput.h"

namespace quivorant::test {

namespace {

enum TestBitmapKey : int { kKnobKey = 9001, kRadioKey = 9002, kClosedKey = 9003, kItemKey = 9004 };
constexpr int kBackgroundKey = 100;

// Horizontal bands of colour, one per frame, so each frame and row is recognisable on screen.
RasterBitmap* Bands(int width, int height, int bands, bool vertical, std::uint32_t base) {
  auto* bitmap = new RasterMemBitmap(width, height, 4);
  RasterPixel* pixels = bitmap->PixelData();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int band = vertical ? y * bands / height : x * bands / width;
      pixels[y * bitmap->RowSpan() + x] = base + std::uint32_t(band * 0x203040);
    }
  }
  return bitmap;
}

void EnsureTestBitmaps() {
  BitmapCache& cache = BitmapCache::Instance();
  if (cache.Find(kKnobKey)) return;
  cache.Add(kKnobKey, Bands(40, 40, 4, true, 0xFF804020u));
  cache.Add(kRadioKey, Bands(72, 13, 3, false, 0xFF206080u));
  cache.Add(kClosedKey, Bands(40, 72, 6, true, 0xFF408020u));
  cache.Add(kItemKey, Bands(40, 72, 6, true, 0xFF602060u));
}

}  // namespace

EditorHost::EditorHost(EditorOptions options, HWND hostFrame) {
  EnsureTestBitmaps();
  frame = hostFrame ? hostFrame : SharedHostFrame();
  core = new FakeCore(MakeIdentity(kWinTestParams));
  SetupList(core->GetParam(kType), "Filter Type", 0, {"Lowpass", "Highpass", "Bandpass"});
  core->GetParam(kFreq)->SetupInt("Filter Freq", 2000, 20, 20000, "Hz");
  core->GetParam(kFreq)->SetExponent(2.0);
  SetupList(core->GetParam(kWave), "LFO Wave", 1,
            {"Sine", "Triangle", "Saw Up", "Saw Down", "Sine Half 1", "Sine Half 2"});
  SetupList(core->GetParam(kTarget), "LFO Target", 0, {"No Assign", "Frequency", "Bandwidth", "Mix"});
  core->GetParam(kDepth)->SetupDouble("LFO Depth", 50.0, 0.0, 100.0, 0.01, "%");
  editor = new IGraphicsWin(core, 395, 248, 0);
  editor->SetModuleInstance(GetModuleHandleA(nullptr));
  editor->AttachBackground(kBackgroundKey, "img/bg.png");
  const TextStyle text("Arial", 12, ArgbColor(255, 230, 230, 230), 0, kAlignCenter);
  const BitmapRef knob = editor->LoadBitmap(kKnobKey, nullptr, 1);
  freqKnob = new IKnobRotVal(core, 100, 110, kFreq, knob, text);
  freqKnob->SetTooltip("Frequency");
  editor->AttachControl(freqKnob);
  targetKnob = new IKnobRotVal(core, 200, 110, kTarget, knob, text);
  editor->AttachControl(targetKnob);
  typeButtons = new IRadioButtons(core, PixelRect(40, 30, 112, 43), kType, editor->LoadBitmap(kRadioKey, nullptr, 3));
  editor->AttachControl(typeButtons);
  waveDrop = new IDropDown(core, 300, 40, kWave, editor->LoadBitmap(kClosedKey, nullptr, 6),
                           editor->LoadBitmap(kItemKey, nullptr, 6));
  editor->AttachControl(waveDrop);
  editor->EnableTooltips(options.tooltips);
  core->AttachGraphics(editor);
  editor->EnableMouseOver(options.mouseOver);
}

EditorHost::~EditorHost() { DestroyInstance(); }

void EditorHost::DestroyInstance() {
  delete core;
  core = nullptr;
  editor = nullptr;
}

HWND EditorHost::Open() {
  window = static_cast<HWND>(editor->OpenWindow(frame));
  EXPECT_NE(window, nullptr);
  return window;
}

void EditorHost::Press(int x, int y, bool right, WPARAM extraKeys) { SendPress(window, x, y, right, extraKeys); }
void EditorHost::Release(int x, int y, bool right) { SendRelease(window, x, y, right); }
void EditorHost::Move(int x, int y, WPARAM keys) { SendMove(window, x, y, keys); }
void EditorHost::Wheel(int x, int y, int delta, WPARAM keys) { SendWheel(window, x, y, delta, keys); }
void EditorHost::Tick(int count) { SendTicks(window, IGraphicsWin::kTimerId, count); }
void EditorHost::Pump(int ms) { PumpMessages(ms); }

POINT EditorHost::Centre(const IControl* control) {
  const PixelRect& r = control->Rect();
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace quivorant::test
