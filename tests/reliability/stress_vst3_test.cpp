// The VST3 front end in-process under two threads: the audio thread processes blocks of random
// sizes with parameter queues, preset changes and tempo changes in its process data, while the
// user-interface thread sets and reads parameters through the controller, saves and restores
// the state, selects presets, and opens a view, plays the off-screen editor and closes the view.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/IGraphicsOffscreen.h"
#include "graphics/controls/IControl.h"
#include "tests/reliability/EditorPlay.h"
#include "tests/reliability/StressLoop.h"
#include "tests/support/Vst3Buses.h"
#include "tests/support/Vst3Host.h"
#include "vst3/IEffectVST3.h"
#include "vst3/sdk/interfaces/ipluginview.h"

namespace {

using namespace quivorant::test;
using quivorant::IEffectVST3;

constexpr int kMaxFrames = 4096;
constexpr double kTempi[] = {120.0, 0.0, -60.0, 1.0, 999.0, 87.5};

// One instance set up the way a host leaves it before the first block.
struct Instance {
  explicit Instance(int32 sampleSize) : effect(quivorant::CreateEffectInstance(IEffectVST3::HostInstanceInfo{})) {
    if (effect == nullptr) return;
    component = effect;
    processor = effect;
    controller = effect;
    component->initialize(&app);
    controller->setComponentHandler(&handler);
    component->activateBus(kAudio, kInput, 0, true);
    component->activateBus(kAudio, kOutput, 0, true);
    ProcessSetup setup{kRealtime, sampleSize, 1024, 48000.0};
    processor->setupProcessing(setup);
    component->setActive(true);
    processor->setProcessing(true);
  }
  ~Instance() {
    if (effect == nullptr) return;
    processor->setProcessing(false);
    component->setActive(false);
    controller->setComponentHandler(nullptr);
    component->terminate();
    EXPECT_EQ(effect->release(), 0u);
  }

  HostApplication app{u"Reliability"};
  ComponentHandler handler;
  IEffectVST3* effect;
  IComponent* component = nullptr;
  IAudioProcessor* processor = nullptr;
  IEditController* controller = nullptr;
};

ParamID RandomParamId(std::mt19937& rng) {
  switch (rng() % 12) {
    case 0:
      return quivorant::kPresetParamId;
    case 1:
      return quivorant::kBypassParamId;
    default:
      return static_cast<ParamID>(rng() % 9);
  }
}

// The audio thread's side: its own buffers, queues and context.
template <class Sample>
struct AudioSide {
  explicit AudioSide(IAudioProcessor* p) : processor(p) {
    for (int c = 0; c < 2; ++c) {
      in[c].assign(kMaxFrames, 0);
      out[c].assign(kMaxFrames, 0);
      inPtr[c] = in[c].data();
      outPtr[c] = out[c].data();
    }
    BindStereoBuses(data, inBus, outBus, inPtr, outPtr);
    data.processContext = &context;
    data.inputParameterChanges = &changes;
    context.state = ProcessContext::kTempoValid;
    context.sampleRate = 48000.0;
  }

  // One block carrying one parameter change.
  void ProcessChange(ParamID id, double value, int frames) {
    changes.Clear();
    changes.Set(id, value);
    data.numSamples = frames;
    processor->process(data);
  }

  void Step(std::mt19937& rng) {
    const int frames = rng() % 8 == 0 ? static_cast<int>(rng() % 2) : 1 + static_cast<int>(rng() % kMaxFrames);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < frames; ++i) in[c][i] = static_cast<Sample>(noise(rng));
    changes.Clear();
    if (rng() % 4 == 0) changes.Set(RandomParamId(rng), std::uniform_real_distribution<double>(0.0, 1.0)(rng));
    if (rng() % 16 == 0) context.tempo = kTempi[rng() % (sizeof kTempi / sizeof kTempi[0])];
    data.numSamples = frames;
    processor->process(data);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < frames; ++i) nonFinite += std::isfinite(out[c][i]) ? 0 : 1;
  }

  IAudioProcessor* processor;
  std::vector<Sample> in[2], out[2];
  Sample* inPtr[2];
  Sample* outPtr[2];
  AudioBusBuffers inBus{}, outBus{};
  ProcessData data{};
  ProcessContext context{};
  ParamChanges changes;
  long nonFinite = 0;
};

// The user-interface thread's side.
struct UiSide {
  explicit UiSide(Instance& i) : instance(i) {}

  void Step(std::mt19937& rng) {
    IEditController* controller = instance.controller;
    switch (rng() % 6) {
      case 0:
        controller->setParamNormalized(RandomParamId(rng), std::uniform_real_distribution<double>(0.0, 1.0)(rng));
        break;
      case 1: {
        const ParamID id = RandomParamId(rng);
        String128 text{};
        controller->getParamStringByValue(id, controller->getParamNormalized(id), text);
        break;
      }
      case 2: {
        MemoryStream stream;
        if (instance.component->getState(&stream) == kResultOk) {
          stream.position = 0;
          instance.component->setState(&stream);
        }
        break;
      }
      case 3: {
        ParameterInfo info{};
        controller->getParameterInfo(static_cast<int32>(rng() % 11), info);
        String128 name{};
        instance.effect->getProgramName(0, static_cast<int32>(rng() % 15), name);
        break;
      }
      default:
        PlayWithEditor(rng);
        break;
    }
    if (instance.handler.calls.size() > 10000) instance.handler.calls.clear();
  }

  // Asks for a view the way a host does (on this system the off-screen editor offers none),
  // plays the editor, and now and then closes a view it got.
  void PlayWithEditor(std::mt19937& rng) {
    if (view == nullptr) {
      view = instance.controller->createView(ViewType::kEditor);
      if (view != nullptr) {
        view->attached(&parentWindow, kPlatformTypeHWND);
        ViewRect size{};
        view->getSize(&size);
      }
    }
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(quivorant::test::PlayEditor(instance.effect->Editor(), rng));
    if (rng() % 8 == 0) CloseView();
  }

  void CloseView() {
    if (view == nullptr) return;
    view->removed();
    view->release();
    view = nullptr;
  }
  ~UiSide() { CloseView(); }

  Instance& instance;
  IPluginView* view = nullptr;
  int parentWindow = 0;
};

template <class Sample>
void Stress(int32 sampleSize) {
  Instance instance(sampleSize);
  ASSERT_NE(instance.effect, nullptr);
  AudioSide<Sample> audio(instance.processor);
  UiSide ui(instance);
  const quivorant::test::StressCounts counts =
      quivorant::test::RunSideBySide([&](std::mt19937& rng) { audio.Step(rng); },
                                     [&](std::mt19937& rng) { ui.Step(rng); }, quivorant::test::StressSeconds());
  std::printf("VST3 %d-bit: %lld blocks, %lld user-interface steps\n", sampleSize == kSample32 ? 32 : 64,
              static_cast<long long>(counts.audioSteps), static_cast<long long>(counts.uiSteps));
  EXPECT_GT(counts.audioSteps, 0);
  EXPECT_GT(counts.uiSteps, 0);
  EXPECT_EQ(audio.nonFinite, 0);
}

// The value of the first editor control bound to parameter `index`.
double ControlValue(IEffectVST3* effect, int index) {
  auto* editor = dynamic_cast<quivorant::IGraphics*>(effect->Editor());
  for (int i = 0; editor != nullptr && i < editor->NControls(); ++i)
    if (editor->GetControl(i)->ParamIdx() == index) return editor->GetControl(i)->Value();
  ADD_FAILURE() << "no control for parameter " << index;
  return -1.0;
}

// What the audio thread changes reaches the editor's controls only on the user-interface thread:
// at the controller's next query or write, never from inside process.
TEST(EditorSyncVst3, HostChangesInProcessReachTheControlsOnTheUserInterfaceThread) {
  constexpr int kMix = 3;
  Instance instance(kSample64);
  ASSERT_NE(instance.effect, nullptr);
  AudioSide<double> audio(instance.processor);
  const double before = ControlValue(instance.effect, kMix);

  audio.ProcessChange(kMix, 0.25, 16);
  EXPECT_EQ(ControlValue(instance.effect, kMix), before);
  EXPECT_DOUBLE_EQ(instance.controller->getParamNormalized(kMix), 0.25);
  EXPECT_DOUBLE_EQ(ControlValue(instance.effect, kMix), 0.25);

  // A program change in process restores "Vibrato" (slot 12, mix 80 %).
  audio.ProcessChange(quivorant::kPresetParamId, 12.0 / 14.0, 16);
  instance.controller->getParamNormalized(quivorant::kBypassParamId);
  EXPECT_NEAR(ControlValue(instance.effect, kMix), 0.8, 1e-12);

  // A host write through the controller reaches the controls at once.
  EXPECT_EQ(instance.controller->setParamNormalized(kMix, 0.5), kResultOk);
  EXPECT_DOUBLE_EQ(ControlValue(instance.effect, kMix), 0.5);

  // Hosts that automate through process alone: the editor's timer catches up by itself.
  audio.ProcessChange(kMix, 0.75, 16);
  auto* editor = dynamic_cast<quivorant::IGraphicsOffscreen*>(instance.effect->Editor());
  ASSERT_NE(editor, nullptr);
  editor->Tick();
  EXPECT_DOUBLE_EQ(ControlValue(instance.effect, kMix), 0.75);
}

TEST(StressVst3, SinglePrecisionProcessAgainstTheUserInterfaceThread) { Stress<float>(kSample32); }
TEST(StressVst3, DoublePrecisionProcessAgainstTheUserInterfaceThread) { Stress<double>(kSample64); }

}  // namespace
