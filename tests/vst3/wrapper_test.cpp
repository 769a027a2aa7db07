// IEffectVST3 in-process, over a small effect of its own: the wrapper's duties that the real
// effect cannot show from outside (host code, edits, units from groups, transport, other
// bus layouts, MIDI).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "tests/vst3/host/HostObjects.h"
#include "vst3/IEffectVST3.h"

namespace {

using namespace vst3host;
using quivorant::EffectIdentity;
using quivorant::IEffectVST3;
using quivorant::kBypassParamId;
using quivorant::kPresetParamId;

struct Layout {
  const char* config = "1-1 2-2";
  int presets = 3;
  bool instrument = false;
  int midiMode = 0;
};

EffectIdentity MakeIdentity(const Layout& layout) {
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

// Holds the effect through its counted interface, as a host would.
struct Held {
  explicit Held(GainEffect* e) : effect(e) {}
  ~Held() {
    effect->terminate();
    EXPECT_EQ(effect->release(), 0u);
  }
  GainEffect* operator->() { return effect; }
  GainEffect* effect;
};

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

}  // namespace

namespace {

// An editor stand-in: the core only needs its size and parameter pushes.
class StubEditor : public quivorant::IEditorConnection {
public:
  void SetControlsFromParam(int, double, bool) override { ++pushes; }
  void PrepareDraw() override {}
  int FrameRate() const override { return 24; }
  void SetWheelGestureTicks(int) override {}
  void ClearWheelGestureTicks() override {}
  int Width() const override { return 395; }
  int Height() const override { return 248; }
  int pushes = 0;
};

class EditorEffect : public GainEffect {
public:
  EditorEffect() { AttachGraphics(new StubEditor); }

protected:
  Steinberg::CPluginView* MakeEditorView() override { return new Steinberg::CPluginView; }
};

class Frame : public HostObject<IPluginFrame> {
public:
  tresult PLUGIN_API resizeView(IPluginView* view, ViewRect* newSize) override {
    lastView = view;
    lastSize = *newSize;
    return kResultOk;
  }
  IPluginView* lastView = nullptr;
  ViewRect lastSize;
};

class Menu : public HostObject<IContextMenu> {
public:
  int32 PLUGIN_API getItemCount() override { return 0; }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override {
    popX = x;
    popY = y;
    return kResultOk;
  }
  UCoord popX = -1, popY = -1;
};

// A component handler that also offers context menus.
class MenuHandler : public ComponentHandler, public IComponentHandler3 {
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
    if (FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid)) {
      ComponentHandler::addRef();
      *obj = static_cast<IComponentHandler3*>(this);
      return kResultOk;
    }
    return ComponentHandler::queryInterface(iid, obj);
  }
  uint32 PLUGIN_API addRef() override { return ComponentHandler::addRef(); }
  uint32 PLUGIN_API release() override { return ComponentHandler::release(); }
  IContextMenu* PLUGIN_API createContextMenu(IPluginView* view, const ParamID* id) override {
    menuView = view;
    menuParam = id != nullptr ? *id : kNoParamId;
    menu.addRef();
    return &menu;
  }
  Menu menu;
  IPluginView* menuView = nullptr;
  ParamID menuParam = 0;
};

TEST(Wrapper, ViewsServeResizeRequestsAndParameterMenus) {
  MenuHandler handler;
  Frame frame;
  Held e(new EditorEffect);
  e->initialize(nullptr);
  e->setComponentHandler(&handler);
  EXPECT_EQ(e->createView("other"), nullptr);
  EXPECT_EQ(e->createView(nullptr), nullptr);
  IPluginView* first = e->createView("editor");
  IPluginView* second = e->createView("editor");
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(e->Views().size(), 2u);
  EXPECT_EQ(e->Views().front(), first);

  e->ResizeEditor(400, 300);  // no frame yet: nothing to ask
  EXPECT_EQ(frame.lastView, nullptr);
  first->setFrame(&frame);
  e->ResizeEditor(400, 300);
  EXPECT_EQ(frame.lastView, first);
  EXPECT_EQ(frame.lastSize.right, 400);
  EXPECT_EQ(frame.lastSize.bottom, 300);

  e->HostParamMenu(2, 17, 23);
  EXPECT_EQ(handler.menuView, first);
  EXPECT_EQ(handler.menuParam, 2u);
  EXPECT_EQ(handler.menu.popX, 17);
  EXPECT_EQ(handler.menu.popY, 23);
  EXPECT_EQ(handler.menu.RefCount(), 1u);  // the menu was released
  EXPECT_EQ(handler.RefCount(), 2u);       // only the handler reference itself is kept

  e->terminate();
  EXPECT_TRUE(e->Views().empty());
  first->setFrame(nullptr);
  EXPECT_EQ(frame.RefCount(), 1u);
  first->release();
  second->release();
}

}  // namespace

namespace {

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
