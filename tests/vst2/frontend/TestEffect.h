// A small effect over IEffectVST for the front end's own tests: three parameters (a list, an
// integer with an exponent, a double), a gain of one half as its processing, and records of
// every hook the front end drives. Tests choose the identity before creating an instance.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeCore.h"
#include "tests/support/Vst2Plugin.h"
#include "vst2/IEffectVST.h"

namespace quivorant::test {

struct TestEffectSetup {
  const char* channelConfig = "1-1 2-2";
  int presetCount = 4;
  int midiMode = 0;
  bool isInstrument = false;
  bool doesStateChunks = false;
  bool attachEditor = true;
  int textSlots = 0;
  int textSlotLength = 0;
};

// What happened to instances that are gone (set by the destructor and BeforeClose).
struct TestEffectTrace {
  int destroyed = 0;
  int beforeClose = 0;
};
TestEffectTrace& Trace();

class TestEffect : public quivorant::IEffectVST {
public:
  static constexpr int kParams = 3;
  TestEffect(const TestEffectSetup& setup, audioMasterCallback host);
  ~TestEffect() override;

  void ResetEffect() override { ++resets; }
  void HandleParamChange(int paramIdx) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void BeforeClose() override { ++Trace().beforeClose; }
  void Activate(bool active) override { activations.push_back(active); }
  void MidiMessageIn(const quivorant::MidiMessage& msg) override { midiIn.push_back(msg); }
  void SysExMessageIn(const quivorant::SysExMessage& msg) override;
  bool NoteName(int noteNumber, char* text, std::size_t capacity) override;
  void StateVersionIn(int version) override { versionsIn.push_back(version); }
  void TextSlotChanged(int slot) override { slotsChanged.push_back(slot); }
  void EditorOpened() override { hooks.push_back("opened"); }
  void EditorClosing() override { hooks.push_back("closing"); }

  FakeEditor* editor = nullptr;  // owned by the core once attached
  std::vector<int> paramChanges;
  std::vector<bool> activations;
  std::vector<quivorant::MidiMessage> midiIn;
  std::vector<std::vector<unsigned char>> sysexIn;
  std::vector<int> versionsIn;
  std::vector<int> slotsChanged;
  std::vector<int> blockFrames;    // frame count of every ProcessBlock call
  std::vector<std::string> hooks;  // editor hooks, and window calls of a test editor, in order
  int resets = 0;
};

// The setup CreateEffectInstance uses for the next instance.
void SetNextSetup(const TestEffectSetup& setup);
// Creates through the front end's real entry (creation lock, default preset, program count).
AEffect* CreatePlugin(audioMasterCallback host);
TestEffect* InstanceOf(AEffect* effect);

// One test effect through the front end's real entry, with a recording host behind it.
class Vst2FrontendTest : public ::testing::Test {
protected:
  void SetUp() override { Open(TestEffectSetup{}); }
  // A new instance with `setup`, replacing the current one.
  void Open(const TestEffectSetup& setup) {
    Close();
    SetNextSetup(setup);
    plugin = std::make_unique<Vst2Plugin>(CreatePlugin(RecordingHost::Callback));
    effect = plugin->effect;
    fx = InstanceOf(effect);
  }
  // The instance goes now (effClose), not at the end of the test.
  void Close() {
    plugin.reset();
    effect = nullptr;
  }
  VstIntPtr Call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return plugin->Call(opcode, index, value, ptr, opt);
  }
  std::string Text(VstInt32 opcode, VstInt32 index = 0) { return plugin->Text(opcode, index); }

  RecordingHost host;  // outlives the instance
  std::unique_ptr<Vst2Plugin> plugin;
  AEffect* effect = nullptr;
  TestEffect* fx = nullptr;
};

}  // namespace quivorant::test
