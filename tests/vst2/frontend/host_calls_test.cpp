// Calls into the host: edit gestures and their order, time information, host identification,
// MIDI out, and a missing host callback.

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "plug/HostIdentification.h"
#include "tests/support/Vst2Host.h"
#include "tests/vst2/frontend/TestEffect.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {

using Vst2HostCalls = Vst2FrontendTest;

TEST_F(Vst2HostCalls, EditorGestureReachesTheHostInOrder) {
  fx->BeginParamEdit(1);
  fx->SetParamFromEditor(1, 0.5);
  fx->EndParamEdit(1);
  ASSERT_EQ(host.Opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
  EXPECT_EQ(host.calls[0].index, 1);
  EXPECT_EQ(host.calls[1].index, 1);
  EXPECT_FLOAT_EQ(host.calls[1].opt, 0.5f);
  EXPECT_EQ(host.calls[2].index, 1);
  // 20 + 19980 * 0.5^2 = 5015 reached the parameter.
  EXPECT_DOUBLE_EQ(fx->GetParam(1)->value, 5015.0);
  for (AEffect* from : host.effects) EXPECT_EQ(from, effect);
}

TEST_F(Vst2HostCalls, WheelRunFormsOneGestureEndedBeforeTheNextBegins) {
  fx->WheelEditHook(2);
  fx->SetParamFromEditor(2, 0.6);
  fx->EndParamGestureDeferred(2);
  fx->WheelEditHook(2);  // same knob, end still pending: no second begin
  fx->SetParamFromEditor(2, 0.7);
  fx->EndParamGestureDeferred(2);
  EXPECT_EQ(fx->editor->wheelTicks, (std::vector<int>{12, 12}));  // half a second of 24 ticks per second
  fx->WheelEditHook(0);                                           // another knob: the pending gesture ends first
  fx->EndParamGestureDeferred(0);
  fx->BeginParamEdit(1);  // a press also ends a pending wheel gesture first
  const std::vector<VstInt32> expected = {audioMasterBeginEdit, audioMasterAutomate,  audioMasterAutomate,
                                          audioMasterEndEdit,   audioMasterBeginEdit, audioMasterEndEdit,
                                          audioMasterBeginEdit};
  ASSERT_EQ(host.Opcodes(), expected);
  EXPECT_EQ(host.calls[3].index, 2);
  EXPECT_EQ(host.calls[4].index, 0);
  EXPECT_EQ(host.calls[5].index, 0);
  EXPECT_EQ(host.calls[6].index, 1);
  EXPECT_EQ(fx->PendingGestureIndex(), -1);
}

TEST_F(Vst2HostCalls, ProgramChangeAsksForADisplayUpdate) {
  fx->ProgramChangeToHost();
  ASSERT_EQ(host.Opcodes(), std::vector<VstInt32>{audioMasterUpdateDisplay});
}

TEST_F(Vst2HostCalls, TransportFromTheHostsTimeInfo) {
  host.timeInfo.samplePos = 1234.4;
  EXPECT_EQ(fx->SamplePosition(), 1234);
  host.timeInfo.samplePos = 1234.5;
  EXPECT_EQ(fx->SamplePosition(), 1235);
  host.timeInfo.samplePos = -3.0;
  EXPECT_EQ(fx->SamplePosition(), 0);
  host.timeInfo.samplePos = 4294967296.0 + 5.0;  // past 32 bits: the low 32 bits
  EXPECT_EQ(fx->SamplePosition(), 5);
  host.timeInfo.samplePos = 1e300;
  (void)fx->SamplePosition();  // defined, whatever it answers

  host.timeInfo.tempo = 128.5;
  host.timeInfo.flags = 0;
  EXPECT_EQ(fx->Tempo(), 0.0);  // not marked valid
  host.timeInfo.flags = kVstTempoValid;
  EXPECT_EQ(fx->Tempo(), 128.5);
  host.timeInfo.tempo = -1.0;
  EXPECT_EQ(fx->Tempo(), 0.0);
  host.timeInfo.tempo = 0.0;
  EXPECT_EQ(fx->Tempo(), 0.0);

  int num = -7, den = -7;
  host.timeInfo.timeSigNumerator = 7;
  host.timeInfo.timeSigDenominator = 8;
  fx->TimeSignature(num, den);
  EXPECT_EQ(num, 0);  // not marked valid
  EXPECT_EQ(den, 0);
  host.timeInfo.flags = kVstTimeSigValid;
  fx->TimeSignature(num, den);
  EXPECT_EQ(num, 7);
  EXPECT_EQ(den, 8);
  host.timeInfo.timeSigDenominator = -8;
  fx->TimeSignature(num, den);
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 0);

  host.answerTime = false;
  EXPECT_EQ(fx->SamplePosition(), 0);
  EXPECT_EQ(fx->Tempo(), 0.0);
  fx->TimeSignature(num, den);
  EXPECT_EQ(num, 0);

  // Each query asks with exactly its validity flag.
  std::set<VstIntPtr> masks;
  for (const HostCall& call : host.CallsOf(audioMasterGetTime)) masks.insert(call.value);
  EXPECT_EQ(masks, (std::set<VstIntPtr>{0, kVstTempoValid, kVstTimeSigValid}));
}

TEST_F(Vst2HostCalls, HostIdentifiedOnceFromProductAndVendorVersion) {
  host.productString = "REAPER64";
  host.vendorVersion = 30103;
  EXPECT_EQ(fx->HostCode(), quivorant::kHostReaper);
  EXPECT_EQ(fx->HostVersion(), 0x030103);
  ASSERT_EQ(host.productBufferSeen.size(), 16u);
  EXPECT_EQ(host.productBufferSeen, std::vector<char>(16, '\0'));  // handed over empty
  host.productString = "Cubase";
  EXPECT_EQ(fx->HostCode(), quivorant::kHostReaper);
  EXPECT_EQ(host.CallsOf(audioMasterGetProductString).size(), 1u);
  EXPECT_EQ(host.CallsOf(audioMasterGetVendorVersion).size(), 1u);
}

TEST(Vst2HostIdentity, NoProductStringMeansUnknownHostNeverAskedAgain) {
  RecordingHost host;
  SetNextSetup(TestEffectSetup{});
  AEffect* e = CreatePlugin(RecordingHost::Callback);
  TestEffect* fx = InstanceOf(e);
  EXPECT_EQ(fx->HostCode(), quivorant::kHostUnknown);
  EXPECT_EQ(fx->HostCode(), quivorant::kHostUnknown);
  EXPECT_EQ(host.CallsOf(audioMasterGetProductString).size(), 1u);
  EXPECT_TRUE(host.CallsOf(audioMasterGetVendorVersion).empty());
  EXPECT_EQ(fx->HostVersion(), 0);
  Dispatch(e, effClose);
}

TEST(Vst2HostIdentity, OddVendorVersionsPackWithoutOverflow) {
  RecordingHost host;
  SetNextSetup(TestEffectSetup{});
  host.productString = "Some Host";
  host.vendorVersion = -5;
  AEffect* e = CreatePlugin(RecordingHost::Callback);
  EXPECT_EQ(InstanceOf(e)->HostCode(), quivorant::kHostUnknown);
  EXPECT_EQ(InstanceOf(e)->HostVersion(), 0);
  Dispatch(e, effClose);
  host.vendorVersion = 1210999;  // 121.9.99
  e = CreatePlugin(RecordingHost::Callback);
  InstanceOf(e)->HostCode();
  EXPECT_EQ(InstanceOf(e)->HostVersion(), (121 << 16) | (9 << 8) | 99);
  Dispatch(e, effClose);
}

TEST_F(Vst2HostCalls, MidiOutBuildsOneEventPerCall) {
  quivorant::MidiMessage note;
  note.offset = 17;
  note.status = 0x90;
  note.data1 = 60;
  note.data2 = 100;
  EXPECT_TRUE(fx->SendMidiMessage(note));
  ASSERT_EQ(host.midiOut.size(), 1u);
  const VstMidiEvent& ev = host.midiOut[0];
  EXPECT_EQ(ev.type, kVstMidiType);
  EXPECT_EQ(ev.byteSize, 32);
  EXPECT_EQ(ev.deltaFrames, 17);
  EXPECT_EQ(ev.flags, 0);
  EXPECT_EQ(static_cast<unsigned char>(ev.midiData[0]), 0x90);
  EXPECT_EQ(ev.midiData[1], 60);
  EXPECT_EQ(ev.midiData[2], 100);
  EXPECT_EQ(ev.midiData[3], 0);
  EXPECT_EQ(ev.noteLength, 0);
  EXPECT_EQ(ev.detune, 0);

  const unsigned char bytes[] = {0xF0, 0x7E, 0x01, 0xF7};
  quivorant::SysExMessage sysex;
  sysex.offset = 3;
  sysex.size = 4;
  sysex.data = bytes;
  EXPECT_TRUE(fx->SendSysExMessage(sysex));
  ASSERT_EQ(host.sysexOut.size(), 1u);
  EXPECT_EQ(host.sysexOut[0].type, kVstSysExType);
  EXPECT_EQ(host.sysexOut[0].byteSize, 48);
  EXPECT_EQ(host.sysexOut[0].deltaFrames, 3);
  EXPECT_EQ(host.sysexOut[0].dumpBytes, 4);
  EXPECT_EQ(host.sysexBytes[0], (std::vector<char>{'\xF0', '\x7E', '\x01', '\xF7'}));

  // Only an answer of exactly 1 counts as delivered.
  host.processEventsAnswer = 2;
  EXPECT_FALSE(fx->SendMidiMessage(note));
  host.processEventsAnswer = 0;
  EXPECT_FALSE(fx->SendSysExMessage(sysex));
  const quivorant::MidiMessage two[] = {note, note};
  host.processEventsAnswer = 1;
  EXPECT_TRUE(fx->SendMidiMessages(two, 2));
}

TEST(Vst2NullHost, EveryPathRunsWithoutAHostCallback) {
  SetNextSetup(TestEffectSetup{});
  AEffect* e = CreatePlugin(nullptr);
  ASSERT_NE(e, nullptr);
  TestEffect* fx = InstanceOf(e);
  Dispatch(e, effOpen);  // identifies the host through the missing callback
  EXPECT_EQ(fx->HostCode(), quivorant::kHostUnknown);
  EXPECT_EQ(fx->SamplePosition(), 0);
  EXPECT_EQ(fx->Tempo(), 0.0);
  int num = 1, den = 1;
  fx->TimeSignature(num, den);
  EXPECT_EQ(num, 0);
  fx->BeginParamEdit(0);
  fx->SetParamFromEditor(0, 1.0);
  fx->WheelEditHook(1);
  fx->EndParamGestureDeferred(1);
  fx->FlushDeferredGesture();
  fx->EndParamEdit(0);
  fx->ProgramChangeToHost();
  EXPECT_FALSE(fx->SendMidiMessage(quivorant::MidiMessage{}));
  EXPECT_FALSE(fx->SendSysExMessage(quivorant::SysExMessage{}));
  EXPECT_EQ(fx->GetParam(0)->value, 2.0);
  Dispatch(e, effClose);

  TestEffectSetup midi;
  midi.midiMode = 1;  // the audio callbacks then ask the host for MIDI
  SetNextSetup(midi);
  e = CreatePlugin(nullptr);
  Dispatch(e, effOpen);
  float a[8] = {1, 1, 1, 1, 1, 1, 1, 1}, b[8] = {};
  float* in[2] = {a, a};
  float* out[2] = {b, b};
  e->processReplacing(e, in, out, 8);
  EXPECT_EQ(b[7], 0.5f);
  Dispatch(e, effClose);
}

TEST(Vst2HostOpcodes, OnlyTheKnownHostOpcodesAreEverUsed) {
  RecordingHost host;
  host.productString = "Ardour";
  TestEffectSetup setup;
  setup.midiMode = 1;
  SetNextSetup(setup);
  AEffect* e = CreatePlugin(RecordingHost::Callback);
  TestEffect* fx = InstanceOf(e);
  Dispatch(e, effOpen);
  Dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, effSetBlockSize, 0, 256);
  Dispatch(e, effMainsChanged, 0, 1);
  float a[16] = {}, b[16] = {};
  float* in[2] = {a, a};
  float* out[2] = {b, b};
  e->processReplacing(e, in, out, 16);
  e->setParameter(e, 1, 0.3f);
  fx->SetLatency(64);
  fx->ResizeEditor(10, 10);
  fx->BeginParamEdit(0);
  fx->SetParamFromEditor(0, 0.0);
  fx->EndParamEdit(0);
  fx->RestorePreset(1);
  fx->Tempo();
  fx->SendMidiMessage(quivorant::MidiMessage{});
  Dispatch(e, effClose);
  const std::set<VstInt32> allowed = {
      audioMasterAutomate,         audioMasterWantMidi,         audioMasterGetTime,       audioMasterProcessEvents,
      audioMasterGetProductString, audioMasterGetVendorVersion, audioMasterUpdateDisplay, audioMasterBeginEdit,
      audioMasterEndEdit,          audioMasterSizeWindow};
  for (const HostCall& call : host.calls) EXPECT_EQ(allowed.count(call.opcode), 1u) << call.opcode;
  EXPECT_FALSE(host.CallsOf(audioMasterWantMidi).empty());
}

}  // namespace
}  // namespace quivorant::test
