// The dispatcher's answers: opening, programs, parameter texts, typed values, vendor calls,
// chunks, capabilities, events, pins, speaker arrangements and the audio set-up opcodes.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/Vst2Host.h"
#include "tests/vst2/frontend/TestEffect.h"
#include "vst2/abi/VstEvents.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {

using Vst2Dispatcher = Vst2FrontendTest;

// A host buffer with guard bytes after `size`, to see that nothing is written past it.
struct GuardedBuffer {
  explicit GuardedBuffer(std::size_t size) : size(size), bytes(size + 64, '#') {}
  char* data() { return bytes.data(); }
  bool GuardIntact() const {
    for (std::size_t i = size; i < bytes.size(); ++i) {
      if (bytes[i] != '#') return false;
    }
    return true;
  }
  std::size_t size;
  std::vector<char> bytes;
};

TEST_F(Vst2Dispatcher, OpenDeliversEveryParameterAfterIdentifyingTheHost) {
  EXPECT_FALSE(fx->EffectReady());
  EXPECT_EQ(Call(effOpen), 0);
  EXPECT_EQ(fx->paramChanges, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(fx->EffectReady());
  EXPECT_TRUE(fx->HostSpecificInitDone());
  ASSERT_FALSE(host.calls.empty());
  EXPECT_EQ(host.calls[0].opcode, audioMasterGetProductString);
}

TEST_F(Vst2Dispatcher, ProgramsSelectionAndNames) {
  EXPECT_EQ(Text(effGetProgramName), "First");
  EXPECT_EQ(Call(effSetProgram, 0, 1), 0);
  EXPECT_EQ(Call(effGetProgram), 1);
  EXPECT_EQ(fx->GetParam(1)->value, 200.0);
  EXPECT_EQ(fx->GetParam(2)->value, 0.5);
  EXPECT_EQ(Text(effGetProgramName), "Second");

  // Leaving a program stores the live values into it first.
  fx->GetParam(1)->value = 333.0;
  Call(effSetProgram, 0, 0);
  EXPECT_EQ(fx->GetParam(1)->value, 20.0);  // what the first selection stored into program 0
  Call(effSetProgram, 0, 1);
  EXPECT_EQ(fx->GetParam(1)->value, 333.0);

  // An out-of-range number still stores, then is refused.
  fx->GetParam(1)->value = 444.0;
  Call(effSetProgram, 0, 99);
  EXPECT_EQ(Call(effGetProgram), 1);
  Call(effSetProgram, 0, -1);
  Call(effSetProgram, 0, VstIntPtr(1) << 40);
  EXPECT_EQ(Call(effGetProgram), 1);
  Call(effSetProgram, 0, 0);
  Call(effSetProgram, 0, 1);
  EXPECT_EQ(fx->GetParam(1)->value, 444.0);

  char renamed[] = "Renamed";
  Call(effSetProgramName, 0, 0, renamed);
  EXPECT_EQ(Text(effGetProgramName), "Renamed");
  EXPECT_EQ(Call(effSetProgramName, 0, 0, nullptr), 0);

  char indexed[256] = "junk";
  EXPECT_EQ(Call(effGetProgramNameIndexed, 0, 0, indexed), 1);
  EXPECT_STREQ(indexed, "First");
  EXPECT_EQ(Call(effGetProgramNameIndexed, 3, 0, indexed), 1);
  EXPECT_STREQ(indexed, "- 4 -");
  EXPECT_EQ(Call(effGetProgramNameIndexed, 4, 0, indexed), 0);
  EXPECT_STREQ(indexed, "");
  EXPECT_EQ(Call(effGetProgramNameIndexed, -1, 0, indexed), 0);
  EXPECT_EQ(Call(effGetProgramNameIndexed, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, LongProgramNamesAreCutAt255) {
  const std::string longName(400, 'n');
  std::vector<char> name(longName.begin(), longName.end());
  name.push_back('\0');
  Call(effSetProgramName, 0, 0, name.data());
  GuardedBuffer out(256);
  Call(effGetProgramName, 0, 0, out.data());
  EXPECT_EQ(std::string(out.data()), std::string(255, 'n'));
  EXPECT_TRUE(out.GuardIntact());
  GuardedBuffer indexed(256);
  EXPECT_EQ(Call(effGetProgramNameIndexed, 0, 0, indexed.data()), 1);
  EXPECT_EQ(std::strlen(indexed.data()), 255u);
  EXPECT_TRUE(indexed.GuardIntact());
}

TEST_F(Vst2Dispatcher, ParameterTexts) {
  EXPECT_EQ(Text(effGetParamName, 0), "Mode");
  EXPECT_EQ(Text(effGetParamName, 1), "Freq");
  EXPECT_EQ(Text(effGetParamLabel, 1), "Hz");
  EXPECT_EQ(Text(effGetParamLabel, 0), "");
  EXPECT_EQ(Text(effGetParamDisplay, 0), "High");
  EXPECT_EQ(Text(effGetParamDisplay, 1), "20");
  fx->GetParam(2)->value = 0.5;
  EXPECT_EQ(Text(effGetParamDisplay, 2), "0.50");
  fx->GetParam(2)->value = 0.0;
  EXPECT_EQ(Text(effGetParamDisplay, 2), "0");
  // Invalid indices write nothing.
  char untouched[32] = "same";
  EXPECT_EQ(Call(effGetParamName, 3, 0, untouched), 0);
  EXPECT_EQ(Call(effGetParamDisplay, -1, 0, untouched), 0);
  EXPECT_STREQ(untouched, "same");
  EXPECT_EQ(Call(effGetParamLabel, 0, 0, nullptr), 0);
  EXPECT_EQ(Call(effCanBeAutomated, 77), 1);
  // A huge plain value still fits the 32-byte text.
  fx->GetParam(2)->value = 1.0;
  GuardedBuffer display(32);
  Call(effGetParamDisplay, 2, 0, display.data());
  EXPECT_TRUE(display.GuardIntact());
}

TEST_F(Vst2Dispatcher, String2ParameterClampsParsesListTextsAndRefusesNaN) {
  fx->paramChanges.clear();
  fx->editor->pushes.clear();
  char beyond[] = "99999";
  EXPECT_EQ(Call(effString2Parameter, 1, 0, beyond), 1);
  EXPECT_EQ(fx->GetParam(1)->value, 20000.0);
  ASSERT_EQ(fx->editor->pushes.size(), 1u);
  EXPECT_EQ(fx->editor->pushes[0].value, 20000.0);  // the editor shows what is stored
  EXPECT_FALSE(fx->editor->pushes[0].normalized);
  EXPECT_EQ(fx->paramChanges, std::vector<int>{1});

  char band[] = "Band";
  EXPECT_EQ(Call(effString2Parameter, 0, 0, band), 1);
  EXPECT_EQ(fx->GetParam(0)->value, 2.0);
  char between[] = "  0.333xyz";
  EXPECT_EQ(Call(effString2Parameter, 2, 0, between), 1);
  EXPECT_DOUBLE_EQ(fx->GetParam(2)->value, 0.333);  // not rounded to the step
  char below[] = "-5";
  Call(effString2Parameter, 2, 0, below);
  EXPECT_EQ(fx->GetParam(2)->value, -1.0);

  fx->paramChanges.clear();
  EXPECT_EQ(Call(effString2Parameter, 2, 0, nullptr), 1);
  char nan[] = "nan";
  EXPECT_EQ(Call(effString2Parameter, 2, 0, nan), 0);
  EXPECT_EQ(fx->GetParam(2)->value, -1.0);
  EXPECT_TRUE(fx->paramChanges.empty());
  EXPECT_EQ(Call(effString2Parameter, 3, 0, beyond), 0);
  EXPECT_EQ(Call(effString2Parameter, -1, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, VendorFormattingAndParsing) {
  constexpr VstIntPtr kHandled = 0xBEEF;
  char text[64] = {};
  // 7: a normalised value shown as text.
  EXPECT_EQ(Call(effVendorSpecific, 7, 1, text, 0.5f), kHandled);
  EXPECT_STREQ(text, "5015");
  EXPECT_EQ(Call(effVendorSpecific, 7, 0, text, 1.0f), kHandled);
  EXPECT_STREQ(text, "Band");
  std::strcpy(text, "keep");
  EXPECT_EQ(Call(effVendorSpecific, 7, 3, text, 0.5f), kHandled);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(Call(effVendorSpecific, 7, 1, nullptr, 0.5f), 0);

  // 8: the number of list entries, for list-like kinds only.
  std::int32_t count = -1;
  EXPECT_EQ(Call(effVendorSpecific, 8, 0, &count), kHandled);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Call(effVendorSpecific, 8, 0, nullptr), kHandled);
  count = -1;
  EXPECT_EQ(Call(effVendorSpecific, 8, 1, &count), 0);  // Int
  EXPECT_EQ(Call(effVendorSpecific, 8, 2, &count), 0);  // Double
  EXPECT_EQ(Call(effVendorSpecific, 8, 9, &count), 0);
  EXPECT_EQ(count, -1);

  // 27: a typed text turned into a normalised value, written back with 17 decimals.
  std::strcpy(text, "High");
  EXPECT_EQ(Call(effVendorSpecific, 27, 0, text), kHandled);
  EXPECT_STREQ(text, "0.50000000000000000");
  std::strcpy(text, "5015");
  EXPECT_EQ(Call(effVendorSpecific, 27, 1, text), kHandled);
  EXPECT_STREQ(text, "0.50000000000000000");  // sqrt((5015 - 20) / 19980)
  std::strcpy(text, "1e9");
  Call(effVendorSpecific, 27, 1, text);
  EXPECT_STREQ(text, "1.00000000000000000");
  text[0] = '\0';
  EXPECT_EQ(Call(effVendorSpecific, 27, 1, text), kHandled);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(Call(effVendorSpecific, 27, 5, text), 0);
  EXPECT_EQ(Call(effVendorSpecific, 27, 1, nullptr), 0);

  // 58: a state version; the wheel without a window; unknown commands.
  EXPECT_EQ(Call(effVendorSpecific, 58, 12345), 0);
  EXPECT_EQ(fx->versionsIn, std::vector<int>{12345});
  EXPECT_EQ(Call(effVendorSpecific, 0x73744341, 0x57686565, nullptr, 1.0f), 0);
  EXPECT_EQ(Call(effVendorSpecific, 0x73744341, 1, nullptr, 1.0f), 0);
  EXPECT_EQ(Call(effVendorSpecific, 12, 0, text), 0);
}

TEST_F(Vst2Dispatcher, TextSlotsStayWithinTheirLength) {
  TestEffectSetup setup;
  setup.textSlots = 2;
  setup.textSlotLength = 5;
  Open(setup);
  constexpr VstIntPtr kHandled = 0xBEEF;
  char in[] = "abcdefgh";
  EXPECT_EQ(Call(effVendorSpecific, 56, 1, in), kHandled);
  EXPECT_STREQ(fx->TextSlotText(1), "abcde");
  EXPECT_EQ(fx->slotsChanged, std::vector<int>{1});
  GuardedBuffer out(6);
  out.data()[0] = '\0';
  EXPECT_EQ(Call(effVendorSpecific, 56, 1, out.data()), kHandled);
  EXPECT_STREQ(out.data(), "abcde");
  EXPECT_TRUE(out.GuardIntact());
  EXPECT_EQ(Call(effVendorSpecific, 56, 2, in), 0);
  EXPECT_EQ(Call(effVendorSpecific, 56, -1, in), 0);
  EXPECT_EQ(Call(effVendorSpecific, 56, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, ChunksRoundTripWithTheVersionFirst) {
  fx->GetParam(1)->value = 1234.0;
  fx->GetParam(2)->value = -0.25;
  void* data = nullptr;
  const VstIntPtr size = Call(effGetChunk, 1, 0, &data);
  ASSERT_EQ(size, 4 + 3 * 8);
  std::int32_t version = 0;
  std::memcpy(&version, data, 4);
  EXPECT_EQ(version, 20304);
  double freq = 0.0;
  std::memcpy(&freq, static_cast<char*>(data) + 4 + 8, 8);
  EXPECT_EQ(freq, 1234.0);
  const std::vector<char> saved(static_cast<char*>(data), static_cast<char*>(data) + size);

  fx->GetParam(1)->value = 20.0;
  fx->GetParam(2)->value = 1.0;
  fx->editor->pushes.clear();
  EXPECT_EQ(Call(effSetChunk, 1, size, const_cast<char*>(saved.data())), 1);
  EXPECT_EQ(fx->GetParam(1)->value, 1234.0);
  EXPECT_EQ(fx->GetParam(2)->value, -0.25);
  EXPECT_EQ(fx->versionsIn.back(), 20304);
  EXPECT_EQ(fx->editor->pushes.size(), 3u);  // controls redrawn from the plain values

  // A bank chunk refreshes the current program from the live values before it is written.
  fx->GetParam(1)->value = 777.0;
  void* bank = nullptr;
  EXPECT_EQ(Call(effGetChunk, 0, 0, &bank), 28);
  EXPECT_NE(bank, data);
  double stored = 0.0;
  EXPECT_EQ(fx->GetPresetSlot(0)->chunk.GetDouble(&stored, 8), 16);
  EXPECT_EQ(stored, 777.0);
  EXPECT_EQ(Call(effGetChunk, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, ChunkFromOurOwnBufferAndTheBufferStaysValid) {
  fx->GetParam(1)->value = 640.0;
  void* data = nullptr;
  const VstIntPtr size = Call(effGetChunk, 1, 0, &data);
  ASSERT_GT(size, 0);
  const std::vector<char> before(static_cast<char*>(data), static_cast<char*>(data) + size);
  fx->GetParam(1)->value = 20.0;
  // A host restoring straight from the pointer it was given: the set must not disturb it.
  EXPECT_EQ(Call(effSetChunk, 1, size, data), 1);
  EXPECT_EQ(fx->GetParam(1)->value, 640.0);
  EXPECT_EQ(std::memcmp(data, before.data(), before.size()), 0);
  // A bigger chunk set afterwards leaves the handed-out buffer as it was, too.
  std::vector<char> big(5000, 0);
  std::memcpy(big.data(), before.data(), before.size());
  EXPECT_EQ(Call(effSetChunk, 1, static_cast<VstIntPtr>(big.size()), big.data()), 1);
  EXPECT_EQ(std::memcmp(data, before.data(), before.size()), 0);
}

TEST_F(Vst2Dispatcher, BadChunksAreRefusedWithoutChanges) {
  fx->GetParam(0)->value = 2.0;
  fx->GetParam(1)->value = 900.0;
  fx->versionsIn.clear();
  char three[3] = {1, 2, 3};
  EXPECT_EQ(Call(effSetChunk, 1, 3, three), 0);
  EXPECT_EQ(fx->versionsIn, std::vector<int>{0});
  EXPECT_EQ(Call(effSetChunk, 1, -4, three), 0);
  EXPECT_EQ(Call(effSetChunk, 1, VstIntPtr(1) << 40, three), 0);
  EXPECT_EQ(Call(effSetChunk, 0, 28, nullptr), 0);
  EXPECT_EQ(fx->versionsIn, std::vector<int>{0});
  EXPECT_EQ(fx->GetParam(0)->value, 2.0);
  EXPECT_EQ(fx->GetParam(1)->value, 900.0);
  // A header and one parameter only: the chunk is cut short, refused, and changes nothing.
  char shortChunk[12] = {};
  const double one = 1.0;
  std::memcpy(shortChunk + 4, &one, 8);
  EXPECT_EQ(Call(effSetChunk, 1, 12, shortChunk), 0);
  EXPECT_EQ(Call(effSetChunk, 0, 12, shortChunk), 0);
  EXPECT_EQ(fx->GetParam(0)->value, 2.0);
  EXPECT_EQ(fx->GetParam(1)->value, 900.0);
}

TEST_F(Vst2Dispatcher, CapabilitiesByMidiMode) {
  auto canDo = [this](const char* text) { return Call(effCanDo, 0, 0, const_cast<char*>(text)); };
  EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
  EXPECT_EQ(canDo("receiveVstTimeInfoX"), 0);
  EXPECT_EQ(canDo("receiveVstTime"), 0);
  EXPECT_EQ(canDo("receiveVstEvents"), 0);
  EXPECT_EQ(canDo("sendVstMidiEvent"), 0);
  EXPECT_EQ(canDo("bypass"), 0);
  EXPECT_EQ(Call(effCanDo, 0, 0, nullptr), 0);
  const struct {
    int mode;
    VstIntPtr send, receive;
  } modes[] = {{1, 1, 1}, {2, 0, 1}, {3, 1, 0}};
  for (const auto& m : modes) {
    TestEffectSetup setup;
    setup.midiMode = m.mode;
    Open(setup);
    EXPECT_EQ(canDo("sendVstEvents"), m.send) << m.mode;
    EXPECT_EQ(canDo("sendVstMidiEvent"), m.send) << m.mode;
    EXPECT_EQ(canDo("receiveVstEvents"), m.receive) << m.mode;
    EXPECT_EQ(canDo("receiveVstMidiEvent"), m.receive) << m.mode;
  }
}

TEST_F(Vst2Dispatcher, IncomingEventsReachTheHooks) {
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.deltaFrames = 5;
  note.midiData[0] = static_cast<char>(0x90);
  note.midiData[1] = 64;
  note.midiData[2] = 127;
  char bytes[] = {'\xF0', 1, 2, '\xF7'};
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.dumpBytes = 4;
  sysex.sysexDump = bytes;
  VstEvent audio{};
  audio.type = kVstAudioType;
  struct {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list{4, 0, {reinterpret_cast<VstEvent*>(&note), nullptr, &audio, reinterpret_cast<VstEvent*>(&sysex)}};
  EXPECT_EQ(Call(effProcessEvents, 0, 0, &list), 1);
  ASSERT_EQ(fx->midiIn.size(), 1u);
  EXPECT_EQ(fx->midiIn[0].offset, 5);
  EXPECT_EQ(fx->midiIn[0].status, 0x90);
  EXPECT_EQ(fx->midiIn[0].data1, 64);
  EXPECT_EQ(fx->midiIn[0].data2, 127);
  ASSERT_EQ(fx->sysexIn.size(), 1u);
  EXPECT_EQ(fx->sysexIn[0], (std::vector<unsigned char>{0xF0, 1, 2, 0xF7}));
  EXPECT_EQ(Call(effProcessEvents, 0, 0, nullptr), 0);

  MidiKeyName key{};
  key.thisKeyNumber = 60;
  std::strcpy(key.keyName, "old");
  EXPECT_EQ(Call(effGetMidiKeyName, 0, 0, &key), 1);
  EXPECT_STREQ(key.keyName, "Middle C");
  key.thisKeyNumber = 61;
  EXPECT_EQ(Call(effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_STREQ(key.keyName, "");
  EXPECT_EQ(Call(effGetMidiKeyName, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, PinPropertiesNameAndPairChannels) {
  TestEffectSetup setup;
  setup.channelConfig = "3-2";
  Open(setup);
  VstPinProperties pin{};
  pin.arrangementType = 1234;  // left as it is
  const VstInt32 inputFlags[] = {3, 1, 1};
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Call(effGetInputProperties, i, 0, &pin), 1);
    EXPECT_EQ(pin.flags, inputFlags[i]) << i;
    EXPECT_EQ(std::string(pin.label), "Input " + std::to_string(i + 1));
  }
  EXPECT_EQ(pin.arrangementType, 1234);
  EXPECT_EQ(Call(effGetInputProperties, 3, 0, &pin), 0);
  EXPECT_EQ(Call(effGetInputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(Call(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 3);
  EXPECT_STREQ(pin.label, "Output 1");
  EXPECT_EQ(Call(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_EQ(pin.flags, 1);
  EXPECT_EQ(Call(effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(Call(effGetOutputProperties, 0, 0, nullptr), 0);
}

TEST_F(Vst2Dispatcher, SpeakerArrangementsSetConnectionsOnly) {
  VstSpeakerArrangement mono{};
  mono.type = kSpeakerArrMono;
  mono.numChannels = 1;
  VstSpeakerArrangement many{};
  many.numChannels = 8;
  EXPECT_EQ(Call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &many), 1);
  EXPECT_TRUE(fx->IsInputConnected(0));
  EXPECT_FALSE(fx->IsInputConnected(1));
  EXPECT_TRUE(fx->IsOutputConnected(1));
  EXPECT_EQ(fx->InputArrangement().numChannels, 2);  // the stored records stay
  EXPECT_EQ(fx->InputArrangement().type, kSpeakerArrStereo);
  VstSpeakerArrangement none{};
  none.numChannels = -3;
  EXPECT_EQ(Call(effSetSpeakerArrangement, 0, 0, &none), 1);
  EXPECT_TRUE(fx->IsInputConnected(0));  // no input record given: inputs unchanged
  EXPECT_FALSE(fx->IsOutputConnected(0));
  EXPECT_FALSE(fx->IsOutputConnected(1));
  EXPECT_EQ(Call(effGetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST_F(Vst2Dispatcher, AudioSetupAndActivation) {
  fx->activations.clear();
  const int resets = fx->resets;
  Call(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(fx->SampleRate(), 96000.0);
  Call(effSetSampleRate, 0, 0, nullptr, 0.0f);
  Call(effSetSampleRate, 0, 0, nullptr, -44100.0f);
  Call(effSetSampleRate, 0, 0, nullptr, std::numeric_limits<float>::quiet_NaN());
  Call(effSetSampleRate, 0, 0, nullptr, std::numeric_limits<float>::infinity());
  EXPECT_EQ(fx->SampleRate(), 96000.0);
  Call(effSetBlockSize, 0, 512);
  EXPECT_EQ(fx->BlockSize(), 512);
  Call(effSetBlockSize, 0, 0);
  Call(effSetBlockSize, 0, -64);
  EXPECT_EQ(fx->BlockSize(), 512);
  Call(effSetBlockSize, 0, VstIntPtr(1) << 40);
  EXPECT_EQ(fx->BlockSize(), quivorant::kMaxBlockFrames);
  EXPECT_EQ(fx->resets, resets + 9);
  Call(effMainsChanged, 0, 1);
  Call(effMainsChanged, 0, 0);
  Call(effSetBypass, 0, 1);
  Call(effSetBypass, 0, 0);
  Call(effStartProcess);
  Call(effStopProcess);
  Call(effBeginSetProgram);
  Call(effEndSetProgram);
  Call(effGetMidiProgramName);
  EXPECT_EQ(fx->activations, (std::vector<bool>{true, false, false, true, true, false, true, true, true}));
  EXPECT_EQ(fx->resets, resets + 11);  // mains on and off reset too
}

TEST_F(Vst2Dispatcher, IdentityAndFixedAnswers) {
  EXPECT_EQ(Call(effIdentify), 0x4E764566);
  EXPECT_EQ(Call(effGetVstVersion), 2400);
  EXPECT_EQ(Call(effGetVendorVersion), 20304);
  EXPECT_EQ(Text(effGetEffectName), "testeffect");
  EXPECT_EQ(Text(effGetVendorString), "Test Maker");
  EXPECT_EQ(Text(effGetProductString), "Test Product");
  EXPECT_EQ(Call(effGetEffectName, 0, 0, nullptr), 0);
  char buffer[64];
  EXPECT_EQ(Call(effGetVendorString, 0, 0, buffer), 1);
  for (VstInt32 op : {9, 16, 28, 36, 41, 43, 46, 52, 53, 56, 59, 70, 73, 77, 79, 80, 1000, -1}) {
    EXPECT_EQ(Call(op, 1, 1, buffer, 1.0f), 0) << op;
  }
}

}  // namespace
}  // namespace quivorant::test
