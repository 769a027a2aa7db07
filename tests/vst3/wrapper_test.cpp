// IEffectVST3 in-process, over a small effect of its own: the wrapper's duties that the real
// effect cannot show from outside (host code, edits, units from groups, transport, other
// bus layouts, MIDI).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "tests/support/Vst3Host.h"
#include "tests/vst3/GainEffect.h"

namespace {

using namespace quivorant::test;
using quivorant::kBypassParamId;
using quivorant::kPresetParamId;

TEST(Wrapper, HostIdentificationFromTheContext) {
  // Host objects outlive the effects that borrow them.
  HostApplication cubase(u"Cubase Pro 12");
  ComponentHandler notAHostApplication;
  Held a(new GainEffect);
  ASSERT_EQ(a->initialize(&cubase), kResultOk);
  EXPECT_EQ(a->HostCode(), 3);

  Held b(new GainEffect);
  b->initialize(&notAHostApplication);
  EXPECT_EQ(b->HostCode(), -1);
  Held c(new GainEffect);
  c->initialize(nullptr);
  EXPECT_EQ(c->HostCode(), -1);
  EXPECT_EQ(c->HostApi(), 1);
}

TEST(Wrapper, InitializeBuildsParametersAndDeliversEachOnce) {
  Held e(new GainEffect);
  ASSERT_EQ(e->initialize(nullptr), kResultOk);
  EXPECT_EQ(e->changes, std::vector<int>({1, 1, 1}));
  EXPECT_EQ(e->initializeDone, 1);
  ASSERT_EQ(e->getParameterCount(), 4);
  ParameterInfo info{};
  e->getParameterInfo(1, info);
  EXPECT_EQ(info.id, 0u);
  EXPECT_EQ(info.stepCount, 0);
  EXPECT_EQ(info.defaultNormalizedValue, 0.5);
  EXPECT_EQ(info.unitId, 1);
  EXPECT_EQ(Narrow(info.units), "x");
  e->getParameterInfo(2, info);
  EXPECT_EQ(info.stepCount, 7);
  EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, 3.0 / 7);
  EXPECT_EQ(info.unitId, 1);
  e->getParameterInfo(3, info);
  EXPECT_EQ(info.stepCount, 2);
  EXPECT_EQ(info.unitId, 0);
  EXPECT_EQ(info.flags, 0);  // not automatable

  // Texts come from the record: two decimals for a step of 0.01.
  String128 text{};
  ASSERT_EQ(e->getParamStringByValue(0, 0.25, text), kResultOk);
  EXPECT_EQ(Narrow(text), "0.50");
}

TEST(Wrapper, UnitsFollowParameterGroups) {
  Held e(new GainEffect);
  e->initialize(nullptr);
  EXPECT_EQ(e->getUnitCount(), 2);
  UnitInfo unit{};
  ASSERT_EQ(e->getUnitInfo(1, unit), kResultOk);
  EXPECT_EQ(unit.id, 1);
  EXPECT_EQ(unit.parentUnitId, 0);
  EXPECT_EQ(Narrow(unit.name), "Amp");
  EXPECT_EQ(unit.programListId, -1);
  EXPECT_EQ(e->getUnitInfo(2, unit), kResultFalse);
  EXPECT_EQ(e->getUnitInfo(-1, unit), kResultFalse);
}

TEST(Wrapper, WithoutPresetsThereIsNoProgramList) {
  Layout none;
  none.presets = 0;
  Held e(new GainEffect(none));
  e->initialize(nullptr);
  EXPECT_EQ(e->getParameterCount(), 3);
  EXPECT_EQ(e->getProgramListCount(), 0);
  ProgramListInfo list{};
  EXPECT_EQ(e->getProgramListInfo(0, list), kResultFalse);
  UnitInfo root{};
  e->getUnitInfo(0, root);
  EXPECT_EQ(root.programListId, -1);
  EXPECT_EQ(e->getParamNormalized(kPresetParamId), 0.0);
  EXPECT_EQ(e->setParamNormalized(kPresetParamId, 1.0), kResultFalse);

  Layout one;
  one.presets = 1;
  Held f(new GainEffect(one));
  f->initialize(nullptr);
  // One preset has no range to normalise over: 0, never 0/0.
  EXPECT_EQ(f->getParamNormalized(kPresetParamId), 0.0);
  EXPECT_EQ(f->plainParamToNormalized(kPresetParamId, 0.0), 0.0);
  EXPECT_EQ(f->setParamNormalized(kPresetParamId, std::nan("")), kInvalidArgument);
}

TEST(Wrapper, EditsAndLatencyReachTheComponentHandler) {
  ComponentHandler handler;
  Held e(new GainEffect);
  e->initialize(nullptr);
  e->BeginParamEdit(1);  // no handler yet: nothing happens
  ASSERT_EQ(e->setComponentHandler(&handler), kResultTrue);
  e->BeginParamEdit(0);
  e->SetParamFromEditor(0, 0.75);
  e->EndParamEdit(0);
  e->SetLatency(32);
  ASSERT_EQ(handler.calls.size(), 4u);
  EXPECT_EQ(handler.calls[0].kind, 'b');
  EXPECT_EQ(handler.calls[1].kind, 'p');
  EXPECT_EQ(handler.calls[1].value, 0.75);
  EXPECT_EQ(handler.calls[2].kind, 'e');
  EXPECT_EQ(handler.calls[2].id, 0u);
  EXPECT_EQ(handler.calls[3].kind, 'r');
  EXPECT_EQ(handler.calls[3].value, 8.0);  // latency changed
  EXPECT_EQ(e->getLatencySamples(), 32u);
  EXPECT_DOUBLE_EQ(e->GetParam(0)->value, 1.5);
  EXPECT_EQ(e->changes[0], 2);
  e->setComponentHandler(nullptr);
  EXPECT_EQ(handler.RefCount(), 1u);
  e->EndParamEdit(0);
  EXPECT_EQ(handler.calls.size(), 4u);
}

TEST(Wrapper, TransportComesFromTheLastContext) {
  Held e(new GainEffect);
  e->initialize(nullptr);
  ProcessSetup setup{kOffline, kSample32, 64, 48000.0};
  ASSERT_EQ(e->setupProcessing(setup), kResultOk);
  EXPECT_TRUE(e->IsRenderingOffline());
  ProcessContext context{};
  context.state = ProcessContext::kPlaying | ProcessContext::kCycleActive;
  context.tempo = 120.0;
  context.projectTimeSamples = (int64(1) << 32) + 5;
  context.projectTimeMusic = 8.5;
  context.barPositionMusic = 8.0;
  context.cycleStartMusic = 4.0;
  context.cycleEndMusic = 12.0;
  context.timeSigNumerator = 3;
  context.timeSigDenominator = 4;
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.processContext = &context;
  ASSERT_EQ(e->process(data), kResultOk);
  EXPECT_EQ(e->Tempo(), 120.0);
  EXPECT_EQ(e->SamplePosition(), 5);
  int num = 0, den = 0;
  e->TimeSignature(num, den);
  EXPECT_EQ(num, 3);
  EXPECT_EQ(den, 4);
  EXPECT_EQ(e->TransportState(), 1);
  quivorant::HostTimeInfo info;
  e->TimeInfo(info);
  EXPECT_EQ(info.samplePos, 4294967301.0);
  EXPECT_EQ(info.ppqPos, 8.5);
  EXPECT_EQ(info.lastBarPos, 8.0);
  EXPECT_EQ(info.cycleStart, 4.0);
  EXPECT_EQ(info.cycleEnd, 12.0);
  EXPECT_TRUE(info.transportIsRunning);
  EXPECT_TRUE(info.transportLoop);
  EXPECT_EQ(e->SamplesPerBeat(), 24000.0);
  context.state = ProcessContext::kRecording;
  e->process(data);
  EXPECT_EQ(e->TransportState(), 2);
  EXPECT_EQ(e->getProcessContextRequirements() & IProcessContextRequirements::kNeedTempo,
            IProcessContextRequirements::kNeedTempo);
}

template <class Sample>
AudioBusBuffers Bus(std::vector<Sample*>& channels) {
  AudioBusBuffers bus{};
  bus.numChannels = static_cast<int32>(channels.size());
  if constexpr (sizeof(Sample) == 4)
    bus.channelBuffers32 = channels.data();
  else
    bus.channelBuffers64 = channels.data();
  return bus;
}

TEST(Wrapper, MonoLayoutAndLongDoubleBlocks) {
  Held e(new GainEffect);
  e->initialize(nullptr);
  SpeakerArrangement mono = SpeakerArr::kMono;
  ASSERT_EQ(e->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
  e->activateBus(kAudio, kOutput, 0, true);
  ProcessSetup setup{kRealtime, kSample64, 16, 44100.0};
  ASSERT_EQ(e->setupProcessing(setup), kResultOk);
  std::vector<double> in(100), out(100, -9.0);
  for (int i = 0; i < 100; ++i) in[static_cast<std::size_t>(i)] = i + 1;
  std::vector<double*> ins{in.data()}, outs{out.data()};
  AudioBusBuffers inBus = Bus(ins), outBus = Bus(outs);
  ParamChanges changes;
  changes.Set(0, 1.0);  // gain 2
  ProcessData data{};
  data.symbolicSampleSize = kSample64;
  data.numSamples = 100;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;
  data.inputParameterChanges = &changes;
  ASSERT_EQ(e->process(data), kResultOk);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(out[static_cast<std::size_t>(i)], 2.0 * (i + 1)) << i;

  // An inactive output bus is left to the host.
  e->activateBus(kAudio, kOutput, 0, false);
  std::fill(out.begin(), out.end(), -9.0);
  e->process(data);
  EXPECT_EQ(out[50], -9.0);
}

TEST(Wrapper, InstrumentBusesAndMidiEvents) {
  Layout synth;
  synth.config = "0-4";
  synth.instrument = true;
  synth.midiMode = 1;
  Held e(new GainEffect(synth));
  e->initialize(nullptr);
  EXPECT_EQ(e->getBusCount(kAudio, kInput), 0);
  ASSERT_EQ(e->getBusCount(kAudio, kOutput), 2);
  BusInfo info{};
  e->getBusInfo(kAudio, kOutput, 1, info);
  EXPECT_EQ(Narrow(info.name), "Output 2");
  EXPECT_EQ(info.channelCount, 2);
  ASSERT_EQ(e->getBusCount(kEvent, kInput), 1);
  e->getBusInfo(kEvent, kInput, 0, info);
  EXPECT_EQ(Narrow(info.name), "MIDI Input");
  EXPECT_EQ(info.channelCount, 1);

  ProcessSetup setup{kRealtime, kSample32, 64, 44100.0};
  ASSERT_EQ(e->setupProcessing(setup), kResultOk);
  EventList events;
  Event on{};
  on.type = Event::kNoteOnEvent;
  on.sampleOffset = 12;
  on.noteOn.channel = 2;
  on.noteOn.pitch = 60;
  on.noteOn.velocity = 0.5f;
  Event off{};
  off.type = Event::kNoteOffEvent;
  off.noteOff.channel = 1;
  off.noteOff.pitch = 61;
  Event other{};
  other.type = Event::kPolyPressureEvent;
  events.events = {on, other, off};
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.inputEvents = &events;
  ASSERT_EQ(e->process(data), kResultOk);
  ASSERT_EQ(e->midi.size(), 2u);
  EXPECT_EQ(e->midi[0].status, 0x92);
  EXPECT_EQ(e->midi[0].data1, 60);
  EXPECT_EQ(e->midi[0].data2, 63);
  EXPECT_EQ(e->midi[0].offset, 12);
  EXPECT_EQ(e->midi[1].status, 0x81);
  EXPECT_EQ(e->midi[1].data2, 0);
}

TEST(Wrapper, ClassIdentityAndControllerMisc) {
  Held e(new GainEffect);
  EXPECT_STREQ(e->isA(), "IEffectVST3");
  for (const char* base : {"SingleComponentEffect", "EditController", "ComponentBase", "FObject"})
    EXPECT_TRUE(e->isTypeOf(base)) << base;
  EXPECT_FALSE(e->isTypeOf("SingleComponentEffect", false));
  EXPECT_EQ(e->setKnobMode(kLinearMode), kResultOk);
  EXPECT_EQ(e->openHelp(false), kResultFalse);
  EXPECT_EQ(e->openAboutBox(false), kResultFalse);
  EXPECT_EQ(e->createView("editor"), nullptr);  // no editor attached
  EXPECT_EQ(e->getParamNormalized(kBypassParamId), 0.0);
}

TEST(Wrapper, ControllerValueExchangeWaitsForTheAudioThread) {
  // While processing holds the instance lock, a controller write must wait for it instead of
  // racing the audio thread's reads.
  Held e(new GainEffect);
  e->initialize(nullptr);
  std::atomic<bool> written{false};
  std::thread writer;
  {
    quivorant::InstanceLock::Scope audioBlock(e->GetLock());
    writer = std::thread([&] {
      e->setParamNormalized(0, 1.0);
      written = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(written.load());
  }
  writer.join();
  EXPECT_TRUE(written.load());
  EXPECT_EQ(e->GetParam(0)->value, 2.0);
}

}  // namespace
