// A small effect over IEffectVST3 for the in-process wrapper tests: output = input x "Gain",
// three parameters (two in a group), and a record of what reached its hooks.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "vst3/IEffectVST3.h"

namespace quivorant::test {

using quivorant::EffectIdentity;
using quivorant::IEffectVST3;

struct Layout {
  const char* config = "1-1 2-2";
  int presets = 3;
  bool instrument = false;
  int midiMode = 0;
};

inline EffectIdentity MakeIdentity(const Layout& layout) {
  EffectIdentity id;
  id.paramCount = 3;
  id.channelConfig = layout.config;
  id.presetCount = layout.presets;
  id.effectName = "probe";
  id.makerName = "Tolvane";
  id.isInstrument = layout.instrument;
  id.midiMode = layout.midiMode;
  return id;
}

// Output = input x "Gain"; remembers what reached its hooks.
class GainEffect : public IEffectVST3 {
public:
  explicit GainEffect(const Layout& layout = Layout()) : IEffectVST3(MakeIdentity(layout), HostInstanceInfo{}) {
    GetParam(0)->SetupDouble("Gain", 1.0, 0.0, 2.0, 0.01, "x");
    GetParam(0)->SetGroup("Amp");
    GetParam(1)->SetupInt("Steps", 4, 1, 8, "");
    GetParam(1)->SetGroup("Amp");
    GetParam(2)->SetupEnum("Mode", 0, 3, "");
    GetParam(2)->canAutomate = false;
    if (layout.presets > 0) NameFreePresets("first", 1);
    SetEffectReady(true);
  }
  void HandleParamChange(int paramIdx) override { ++changes[static_cast<std::size_t>(paramIdx)]; }
  void InitializeDone() override { ++initializeDone; }
  void MidiMessageIn(const quivorant::MidiMessage& msg) override { midi.push_back(msg); }
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override {
    const double gain = GetParam(0)->value;
    for (int c = 0; c < OutputChannelCount(); ++c)
      for (int i = 0; i < nFrames; ++i) outputs[c][i] = c < InputChannelCount() ? inputs[c][i] * gain : 0.0;
  }

  std::vector<int> changes = std::vector<int>(3, 0);
  int initializeDone = 0;
  std::vector<quivorant::MidiMessage> midi;
};

// Holds the effect through its counted interface, as a host would; the test's reference must be
// the last one.
template <class Effect>
struct Held {
  explicit Held(Effect* e) : effect(e) {}
  ~Held() {
    effect->terminate();
    EXPECT_EQ(effect->release(), 0u);
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Effect* operator->() { return effect; }
  Effect* effect;
};

}  // namespace quivorant::test
