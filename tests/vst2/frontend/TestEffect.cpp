#include "tests/vst2/frontend/TestEffect.h"

#include <cstdio>

#include "vst2/VstPluginCreation.h"

namespace quivorant::test {
namespace {

TestEffectSetup nextSetup;

quivorant::EffectIdentity IdentityFor(const TestEffectSetup& setup) {
  quivorant::EffectIdentity id;
  id.paramCount = TestEffect::kParams;
  id.channelConfig = setup.channelConfig;
  id.presetCount = setup.presetCount;
  id.effectName = "testeffect";
  id.productName = "Test Product";
  id.makerName = "Test Maker";
  id.vendorVersion = 0x00020304;  // 2.3.4 -> 20304
  id.uniqueId = 0x54657374;       // 'Test'
  id.makerId = 0x546d6b72;
  id.latency = 7;
  id.midiMode = setup.midiMode;
  id.doesStateChunks = setup.doesStateChunks;
  id.isInstrument = setup.isInstrument;
  id.hostApi = 99;  // the wrapper must put its own code in
  return id;
}

}  // namespace

TestEffectTrace& Trace() {
  static TestEffectTrace trace;
  return trace;
}

TestEffect::TestEffect(const TestEffectSetup& setup, audioMasterCallback host) : IEffectVST(IdentityFor(setup), host) {
  GetParam(0)->SetupEnum("Mode", 1, 3);
  GetParam(0)->AddDisplayText(0, "Low");
  GetParam(0)->AddDisplayText(1, "High");
  GetParam(0)->AddDisplayText(2, "Band");
  GetParam(1)->SetupInt("Freq", 20, 20, 20000, "Hz");
  GetParam(1)->SetExponent(2.0);
  GetParam(2)->SetupDouble("Gain", 0.0, -1.0, 1.0, 0.01, "dB");
  if (setup.textSlots > 0) SetupTextSlots(setup.textSlots, setup.textSlotLength, nullptr);
  if (setup.attachEditor) {
    editor = new FakeEditor;
    editor->windowType = "HWND";  // stands for a window editor: the record claims one
    AttachGraphics(editor);
  }
  for (int i = 0; i < setup.presetCount && i < 2; ++i) {
    CapturePreset(i == 0 ? "First" : "Second", i, 100 * (i + 1), 0.25 * (i + 1));
  }
}

TestEffect::~TestEffect() { ++Trace().destroyed; }

void TestEffect::HandleParamChange(int paramIdx) {
  paramChanges.push_back(paramIdx);
  if (static_cast<int>(paramChanges.size()) >= kParams) SetEffectReady(true);
}

void TestEffect::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  blockFrames.push_back(nFrames);
  for (int c = 0; c < 2 && c < OutputChannelCount(); ++c) {
    const double* in = c < InputChannelCount() ? inputs[c] : nullptr;
    for (int i = 0; i < nFrames; ++i) outputs[c][i] = in != nullptr ? 0.5 * in[i] : 0.0;
  }
}

void TestEffect::SysExMessageIn(const quivorant::SysExMessage& msg) {
  sysexIn.emplace_back(msg.data, msg.data + msg.size);
}

bool TestEffect::NoteName(int noteNumber, char* text, std::size_t capacity) {
  if (noteNumber != 60) return false;
  std::snprintf(text, capacity, "Middle C");
  return true;
}

void SetNextSetup(const TestEffectSetup& setup) { nextSetup = setup; }

AEffect* CreatePlugin(audioMasterCallback host) { return quivorant::CreateVstPlugin(host); }

TestEffect* InstanceOf(AEffect* effect) { return static_cast<TestEffect*>(effect->object); }

}  // namespace quivorant::test

namespace quivorant {

IEffectVST* CreateEffectInstance(IEffectVST::HostInstanceInfo info) {
  return new quivorant::test::TestEffect(quivorant::test::nextSetup, info);
}

}  // namespace quivorant
