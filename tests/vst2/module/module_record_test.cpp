// The built library as a host sees it: entry points, the effect record, parameter and program
// texts, chunks, typed values, the vendor calls, capabilities, pins and arrangements.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

TEST(Vst2Module, BothEntryPointsBuildAnInstance) {
  RecordingHost host;
  ASSERT_NE(Vst2Library().Symbol("VSTPluginMain"), nullptr);
  ASSERT_NE(Vst2Library().Symbol("main"), nullptr);
  LoadedPlugin a;
  LoadedPlugin b(RecordingHost::Callback, "main");
  ASSERT_TRUE(a.ok() && b.ok());
  EXPECT_NE(a.effect, b.effect);
  EXPECT_EQ(b.Call(effGetVstVersion), 2400);
  EXPECT_TRUE(host.calls.empty());  // the entry only stores the callback
}

TEST(Vst2Module, EffectRecord) {
  RecordingHost host;
  LoadedPlugin p;
  ASSERT_TRUE(p.ok());
  const AEffect& e = *p.effect;
  EXPECT_EQ(e.magic, 0x56737450);
  EXPECT_EQ(e.uniqueID, 0x62316751);
  EXPECT_EQ(e.version, 13000);
  EXPECT_EQ(e.numPrograms, 15);
  EXPECT_EQ(e.numParams, 9);
  EXPECT_EQ(e.numInputs, 2);
  EXPECT_EQ(e.numOutputs, 2);
  EXPECT_EQ(e.initialDelay, 0);
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_EQ(e.resvd1, 0);
  EXPECT_NE(e.process, e.processReplacing);
  // Replacing in both precisions and mono capability, and the editor where it has a window.
  EXPECT_EQ(e.flags, kLibraryHasEditor ? 0x1019 : 0x1018);
  EXPECT_EQ(p.Text(effGetEffectName), "quivorant");
  EXPECT_EQ(p.Text(effGetVendorString), "Tolvane");
  EXPECT_EQ(p.Text(effGetProductString), "");
  EXPECT_EQ(p.Call(effGetVendorVersion), 13000);
  EXPECT_EQ(p.Call(effIdentify), 0x4E764566);
  EXPECT_EQ(p.Call(effGetPlugCategory), 1);
}

TEST(Vst2Module, ParameterNamesLabelsAndDefaults) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  const char* names[] = {"Filter Type", "Filter Freq", "Filter Bandwidth", "Filter Mix", "LFO Target",
                         "LFO Wave",    "LFO Rate",    "LFO Depth",        "LFO Reset"};
  const char* labels[] = {"", "Hz", "%", "%", "", "", "", "%", ""};
  const char* displays[] = {"Highpass", "20", "20", "100", "No Assign", "Sine", "2/1", "90", "No"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(p.Text(effGetParamName, i), names[i]);
    EXPECT_EQ(p.Text(effGetParamLabel, i), labels[i]);
    EXPECT_EQ(p.Text(effGetParamDisplay, i), displays[i]);
  }
  EXPECT_EQ(p.Text(effGetParamName, 9), "");
  // Normalised defaults: Highpass of three entries, 20 Hz at the bottom, 90 %.
  EXPECT_FLOAT_EQ(p.effect->getParameter(p.effect, 0), 0.5f);
  EXPECT_FLOAT_EQ(p.effect->getParameter(p.effect, 1), 0.0f);
  EXPECT_FLOAT_EQ(p.effect->getParameter(p.effect, 7), 0.9f);
  EXPECT_EQ(p.effect->getParameter(p.effect, 9), 0.0f);
  p.effect->setParameter(p.effect, 6, 1.0f);
  EXPECT_EQ(p.Text(effGetParamDisplay, 6), "32/1");
  EXPECT_EQ(p.effect->getParameter(p.effect, 6), 1.0f);
  p.effect->setParameter(p.effect, 6, 0.0f);
  EXPECT_EQ(p.Text(effGetParamDisplay, 6), "1/16");
  p.effect->setParameter(p.effect, 1, 1.0f);
  EXPECT_EQ(p.Text(effGetParamDisplay, 1), "20000");
}

TEST(Vst2Module, FactoryProgramsAndSelection) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  const char* names[] = {"---- default ----",
                         "1 oct bandwidth",
                         "1x2 oct bandwidth",
                         "2x2 oct bandwidth",
                         "3x2 oct bandwidth",
                         "High Frequencies",
                         "High Phaser",
                         "Low Frequencies",
                         "Middle Frequencies",
                         "Oscillating Filter",
                         "Oscillating Freq",
                         "Phaser",
                         "Vibrato",
                         "- 14 -",
                         "- 15 -"};
  for (int i = 0; i < 15; ++i) {
    char name[256] = {};
    EXPECT_EQ(p.Call(effGetProgramNameIndexed, i, 0, name), 1) << i;
    EXPECT_STREQ(name, names[i]);
  }
  p.Call(effSetProgram, 0, 12);
  EXPECT_EQ(p.Call(effGetProgram), 12);
  EXPECT_EQ(p.Text(effGetProgramName), "Vibrato");
  const char* vibrato[] = {"Bandpass", "6000", "20", "80", "Filter Mix", "Sine", "1/16", "60", "No"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(p.Text(effGetParamDisplay, i), vibrato[i]) << i;
  // Selecting an unfilled slot names it as the first user preset.
  p.Call(effSetProgram, 0, 13);
  char name[256] = {};
  EXPECT_EQ(p.Call(effGetProgramNameIndexed, 13, 0, name), 1);
  EXPECT_STREQ(name, "user preset 1");
}

TEST(Vst2Module, ChunksCarryTheVersionAndRestoreEveryParameter) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  p.Call(effSetProgram, 0, 10);  // "Oscillating Freq"
  p.SetText(7, "33");
  float saved[9];
  for (int i = 0; i < 9; ++i) saved[i] = p.effect->getParameter(p.effect, i);
  for (VstInt32 kind : {0, 1}) {
    void* data = nullptr;
    const VstIntPtr size = p.Call(effGetChunk, kind, 0, &data);
    ASSERT_EQ(size, 4 + 9 * 8);
    std::int32_t version = 0;
    std::memcpy(&version, data, 4);
    EXPECT_EQ(version, 13000);
    const std::vector<char> copy(static_cast<char*>(data), static_cast<char*>(data) + size);

    LoadedPlugin other;
    other.Start();
    EXPECT_EQ(other.Call(effSetChunk, kind, size, const_cast<char*>(copy.data())), 1);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(other.effect->getParameter(other.effect, i), saved[i]) << i;
    EXPECT_EQ(other.Text(effGetParamDisplay, 7), "33");
  }
  char tiny[3] = {};
  EXPECT_EQ(p.Call(effSetChunk, 1, 3, tiny), 0);
  EXPECT_EQ(p.Call(effSetChunk, 1, -1, tiny), 0);
  EXPECT_EQ(p.Call(effSetChunk, 1, VstIntPtr(1) << 40, tiny), 0);
  EXPECT_EQ(p.Call(effSetChunk, 1, 76, nullptr), 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(p.effect->getParameter(p.effect, i), saved[i]) << i;
}

TEST(Vst2Module, TypedValuesAndVendorFormatting) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  p.SetText(0, "Bandpass");
  EXPECT_EQ(p.Text(effGetParamDisplay, 0), "Bandpass");
  p.SetText(1, "30000");  // beyond the maximum: the maximum
  EXPECT_EQ(p.Text(effGetParamDisplay, 1), "20000");
  p.SetText(2, "55.4");
  EXPECT_EQ(p.Text(effGetParamDisplay, 2), "55");
  EXPECT_EQ(p.Call(effString2Parameter, 3, 0, nullptr), 1);
  EXPECT_EQ(p.Call(effString2Parameter, 9, 0, nullptr), 0);

  char text[64];
  std::strcpy(text, "Bandpass");
  EXPECT_EQ(p.Call(effVendorSpecific, 27, 0, text), 0xBEEF);
  EXPECT_STREQ(text, "1.00000000000000000");
  std::strcpy(text, "Highpass");
  p.Call(effVendorSpecific, 27, 0, text);
  EXPECT_STREQ(text, "0.50000000000000000");
  std::strcpy(text, "50");
  p.Call(effVendorSpecific, 27, 3, text);
  EXPECT_STREQ(text, "0.50000000000000000");
  EXPECT_EQ(p.Call(effVendorSpecific, 7, 1, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "5015");  // 20 + 19980 * 0.5^2
  EXPECT_EQ(p.Call(effVendorSpecific, 7, 6, text, 1.0f), 0xBEEF);
  EXPECT_STREQ(text, "32/1");
  std::int32_t count = 0;
  EXPECT_EQ(p.Call(effVendorSpecific, 8, 6, &count), 0xBEEF);
  EXPECT_EQ(count, 28);
  EXPECT_EQ(p.Call(effVendorSpecific, 8, 1, &count), 0);
}

TEST(Vst2Module, CapabilitiesPinsAndArrangements) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  auto canDo = [&p](const char* text) { return p.Call(effCanDo, 0, 0, const_cast<char*>(text)); };
  EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
  EXPECT_EQ(canDo("receiveVstEvents"), 0);
  EXPECT_EQ(canDo("receiveVstMidiEvent"), 0);
  EXPECT_EQ(canDo("sendVstEvents"), 0);
  EXPECT_EQ(canDo("receiveVstTimeInfoPlus"), 0);

  VstPinProperties pin{};
  ASSERT_EQ(p.Call(effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 3);
  EXPECT_STREQ(pin.label, "Input 1");
  ASSERT_EQ(p.Call(effGetInputProperties, 1, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 1);
  EXPECT_STREQ(pin.label, "Input 2");
  EXPECT_EQ(p.Call(effGetInputProperties, 2, 0, &pin), 0);
  ASSERT_EQ(p.Call(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 2");

  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(p.Call(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  ASSERT_TRUE(in != nullptr && out != nullptr);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(out->type, kSpeakerArrStereo);
}

TEST(Vst2Module, HostIdentifiedOnOpen) {
  RecordingHost host;
  host.productString = "Ardour";
  host.vendorVersion = 80100;
  LoadedPlugin p;
  p.Call(effOpen);
  EXPECT_EQ(host.Opcodes(), (std::vector<VstInt32>{audioMasterGetProductString, audioMasterGetVendorVersion}));
  p.Call(effOpen);
  EXPECT_EQ(host.calls.size(), 2u);
}

TEST(Vst2Module, LongProgramNamesAreCut) {
  RecordingHost host;
  LoadedPlugin p;
  std::string longName(300, 'p');
  p.Call(effSetProgramName, 0, 0, longName.data());
  std::vector<char> out(256 + 32, '#');
  p.Call(effGetProgramName, 0, 0, out.data());
  EXPECT_EQ(std::string(out.data()), std::string(255, 'p'));
  for (std::size_t i = 256; i < out.size(); ++i) ASSERT_EQ(out[i], '#');
}

}  // namespace
}  // namespace quivorant::test
