// Plays a host against the built VST3 module: loaded through its real entry points, driven
// only through the published interfaces.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "tests/support/Vst3Host.h"
#include "tests/support/Vst3Module.h"
#include "tests/support/Vst3Session.h"

namespace quivorant::test {
namespace {

constexpr ParamID kPreset = 0x70727374;
constexpr ParamID kBypass = 0x62706173;
constexpr ParamID kFilterType = 0, kFilterFreq = 1, kLfoRate = 6;
constexpr int kPresets = 15;
const double kPi = std::acos(-1.0);

class ModuleHost : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // By its bundle, as hosts find it (BundleAndModuleInfo loads the bare module too).
    loader = new ModuleLoader;
    ASSERT_TRUE(loader->Load(BundleUnderTest())) << loader->Error();
  }
  static void TearDownTestSuite() {
    delete loader;
    loader = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(loader, nullptr);
    factory = loader->Factory();
    ASSERT_NE(factory, nullptr);
  }
  void TearDown() override {
    if (factory != nullptr) factory->release();
  }

  // Plain value of a core parameter as the controller reports it.
  double Plain(PluginSession& s, ParamID id) {
    return s.controller->normalizedParamToPlain(id, s.controller->getParamNormalized(id));
  }

  static ModuleLoader* loader;
  IPluginFactory* factory = nullptr;
  HostApplication host{u"Test Host"};
};
ModuleLoader* ModuleHost::loader = nullptr;

std::vector<double> Sine(double hz, double rate, int frames, double amplitude = 0.5) {
  std::vector<double> s(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i) s[static_cast<std::size_t>(i)] = amplitude * std::sin(2 * kPi * hz * i / rate);
  return s;
}

// Amplitude of the `hz` component of x[from..], over a whole number of periods.
double AmplitudeAt(const std::vector<double>& x, double hz, double rate, int from) {
  const int periods = static_cast<int>((x.size() - from) * hz / rate);
  const int n = static_cast<int>(periods * rate / hz);
  double re = 0, im = 0;
  for (int i = 0; i < n; ++i) {
    const double phase = 2 * kPi * hz * (from + i) / rate;
    re += x[static_cast<std::size_t>(from + i)] * std::cos(phase);
    im += x[static_cast<std::size_t>(from + i)] * std::sin(phase);
  }
  return 2 * std::sqrt(re * re + im * im) / n;
}

std::vector<double> DecodeDoubles(const std::vector<unsigned char>& bytes) {
  std::vector<double> values(bytes.size() / 8);
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::uint64_t bits = 0;
    for (int b = 7; b >= 0; --b) bits = (bits << 8) | bytes[i * 8 + static_cast<std::size_t>(b)];
    std::memcpy(&values[i], &bits, 8);
  }
  return values;
}

TEST_F(ModuleHost, FactoryAndClassInformation) {
  PFactoryInfo info{};
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Tolvane");
  EXPECT_STREQ(info.url, "www.tolvane.com");
  EXPECT_STREQ(info.email, "");
  EXPECT_EQ(info.flags, 16);
  ASSERT_EQ(factory->countClasses(), 1);

  IPluginFactory2* f2 = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory2::iid, reinterpret_cast<void**>(&f2)), kResultOk);
  PClassInfo2 c{};
  ASSERT_EQ(f2->getClassInfo2(0, &c), kResultOk);
  EXPECT_EQ(std::memcmp(c.cid, EffectClassId(), 16), 0);
  EXPECT_EQ(c.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(c.category, "Audio Module Class");
  EXPECT_STREQ(c.name, "quivorant");
  EXPECT_EQ(c.classFlags, 2u);
  EXPECT_STREQ(c.subCategories, "Fx");
  EXPECT_STREQ(c.vendor, "");
  EXPECT_STREQ(c.version, "1.3.0");
  EXPECT_STREQ(c.sdkVersion, "VST 3.6.5");
  EXPECT_EQ(f2->getClassInfo2(1, &c), kInvalidArgument);
  EXPECT_EQ(f2->getClassInfo2(-1, &c), kInvalidArgument);
  EXPECT_EQ(f2->getClassInfo2(0, nullptr), kInvalidArgument);

  IPluginFactory3* f3 = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, reinterpret_cast<void**>(&f3)), kResultOk);
  PClassInfoW w{};
  ASSERT_EQ(f3->getClassInfoUnicode(0, &w), kResultOk);
  EXPECT_EQ(Narrow(w.name), "quivorant");
  EXPECT_EQ(Narrow(w.version), "1.3.0");
  EXPECT_EQ(Narrow(w.sdkVersion), "VST 3.6.5");
  EXPECT_STREQ(w.category, "Audio Module Class");
  f3->release();
  f2->release();

  PClassInfo v1{};
  ASSERT_EQ(factory->getClassInfo(0, &v1), kResultOk);
  EXPECT_STREQ(v1.name, "quivorant");
}

// The value of `"key": "..."` (or of `"key": ` up to the end of its line) in moduleinfo.json.
std::string JsonValue(const std::string& json, const std::string& key) {
  const std::string lead = "\"" + key + "\": ";
  const std::size_t at = json.find(lead);
  if (at == std::string::npos) return "(missing)";
  const std::size_t from = at + lead.size();
  if (json[from] == '"') return json.substr(from + 1, json.find('"', from + 1) - from - 1);
  std::string rest = json.substr(from, json.find('\n', from) - from);
  if (!rest.empty() && rest.back() == ',') rest.pop_back();
  return rest;
}

TEST_F(ModuleHost, BundleAndModuleInfo) {
  // The module sits where the bundle's name says, and loads bare as well.
  namespace fs = std::filesystem;
  EXPECT_EQ(fs::path(ModuleInBundle(BundleUnderTest())).lexically_normal(),
            fs::path(ModuleUnderTest()).lexically_normal());
  ModuleLoader bare;
  ASSERT_TRUE(bare.Load(ModuleUnderTest())) << bare.Error();
  IPluginFactory* bareFactory = bare.Factory();
  ASSERT_NE(bareFactory, nullptr);
  EXPECT_EQ(bareFactory->countClasses(), 1);
  bareFactory->release();

  // moduleinfo.json says what the factory says.
  std::ifstream file(fs::path(BundleUnderTest()) / "Contents" / "Resources" / "moduleinfo.json", std::ios::binary);
  ASSERT_TRUE(file.good());
  const std::string json((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  PFactoryInfo info{};
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  IPluginFactory2* f2 = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory2::iid, reinterpret_cast<void**>(&f2)), kResultOk);
  PClassInfo2 c{};
  ASSERT_EQ(f2->getClassInfo2(0, &c), kResultOk);
  f2->release();
  char cid[33];
  FUID(c.cid).toString(cid);
  EXPECT_EQ(JsonValue(json, "Name"), fs::path(BundleUnderTest()).stem().string());
  EXPECT_EQ(JsonValue(json, "Vendor"), info.vendor);
  EXPECT_EQ(JsonValue(json, "URL"), info.url);
  EXPECT_EQ(JsonValue(json, "Unicode"), (info.flags & PFactoryInfo::kUnicode) ? "true" : "false");
  EXPECT_EQ(JsonValue(json, "CID"), cid);
  EXPECT_EQ(JsonValue(json, "Category"), c.category);
  EXPECT_EQ(json.find("\"Name\": \"" + std::string(c.name) + "\"") != std::string::npos, true);
  EXPECT_EQ(JsonValue(json, "Version"), c.version);
  EXPECT_EQ(JsonValue(json, "SDKVersion"), c.sdkVersion);
  EXPECT_EQ(JsonValue(json, "Sub Categories"), "[\"" + std::string(c.subCategories) + "\"]");
  EXPECT_EQ(JsonValue(json, "Class Flags"), std::to_string(c.classFlags));
  EXPECT_EQ(JsonValue(json, "Cardinality"), std::to_string(c.cardinality));
}

TEST_F(ModuleHost, FactoryIsSharedAndUnknownClassesAreRefused) {
  IPluginFactory* again = loader->Factory();
  EXPECT_EQ(again, factory);
  again->release();

  void* obj = reinterpret_cast<void*>(1);
  TUID other = {};
  EXPECT_EQ(factory->createInstance(other, IComponent::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(EffectClassId(), IPluginFactory::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(factory->createInstance(EffectClassId(), IComponent::iid, nullptr), kInvalidArgument);
}

#if !COM_COMPATIBLE
TEST_F(ModuleHost, ModuleEntryAndExitAreCounted) {
  auto entry = reinterpret_cast<bool (*)(void*)>(loader->Symbol("ModuleEntry"));
  auto exitFn = reinterpret_cast<bool (*)()>(loader->Symbol("ModuleExit"));
  ASSERT_TRUE(entry && exitFn);
  EXPECT_TRUE(entry(nullptr));  // a second entry, as some hosts make
  EXPECT_TRUE(exitFn());        // ...matched by its exit: the module stays set up
  IPluginFactory* again = loader->Factory();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->countClasses(), 1);
  again->release();
}
#endif

TEST_F(ModuleHost, InterfacesAndReferenceCounts) {
  void* obj = nullptr;
  ASSERT_EQ(factory->createInstance(EffectClassId(), IAudioProcessor::iid, &obj), kResultOk);
  auto* processor = static_cast<IAudioProcessor*>(obj);
  EXPECT_EQ(processor->addRef(), 2u);
  EXPECT_EQ(processor->release(), 1u);

  for (const char* iid : {IComponent::iid, IEditController::iid, IEditController2::iid, IUnitInfo::iid,
                          IProcessContextRequirements::iid, IPluginBase::iid, FUnknown::iid}) {
    FUnknown* i = nullptr;
    ASSERT_EQ(processor->queryInterface(iid, reinterpret_cast<void**>(&i)), kResultOk);
    EXPECT_EQ(i->release(), 1u);
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(processor->queryInterface(IPluginView::iid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);

  // Everything the plug-in borrows from the host comes back by terminate.
  IComponent* component = nullptr;
  processor->queryInterface(IComponent::iid, reinterpret_cast<void**>(&component));
  IEditController* controller = nullptr;
  processor->queryInterface(IEditController::iid, reinterpret_cast<void**>(&controller));
  ComponentHandler handler;
  ASSERT_EQ(component->initialize(&host), kResultOk);
  EXPECT_EQ(component->initialize(&host), kResultFalse);
  EXPECT_EQ(controller->setComponentHandler(&handler), kResultTrue);
  EXPECT_GT(host.RefCount(), 1u);
  EXPECT_EQ(handler.RefCount(), 2u);
  EXPECT_EQ(component->terminate(), kResultOk);
  EXPECT_EQ(component->terminate(), kResultOk);
  EXPECT_EQ(host.RefCount(), 1u);
  EXPECT_EQ(handler.RefCount(), 1u);
  // ...and initialize works again after terminate.
  EXPECT_EQ(component->initialize(&host), kResultOk);
  EXPECT_EQ(controller->getParameterCount(), 10);
  component->terminate();

  controller->release();
  component->release();
  EXPECT_EQ(processor->release(), 0u);
}

TEST_F(ModuleHost, BusesAndArrangements) {
  PluginSession s(factory, &host);
  ASSERT_TRUE(s.Valid());
  EXPECT_EQ(s.component->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(s.component->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(s.component->getBusCount(kEvent, kInput), 0);
  EXPECT_EQ(s.component->getBusCount(7, kInput), 0);

  BusInfo info{};
  ASSERT_EQ(s.component->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(Narrow(info.name), "Main Input");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.busType, kMain);
  EXPECT_EQ(info.flags, BusInfo::kDefaultActive);
  EXPECT_EQ(info.mediaType, kAudio);
  EXPECT_EQ(info.direction, kInput);
  ASSERT_EQ(s.component->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(Narrow(info.name), "Output");
  EXPECT_EQ(s.component->getBusInfo(kAudio, kOutput, 1, info), kInvalidArgument);
  EXPECT_EQ(s.component->getBusInfo(kAudio, kOutput, -1, info), kInvalidArgument);
  EXPECT_EQ(s.component->activateBus(kAudio, kInput, 3, true), kInvalidArgument);

  SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
  EXPECT_EQ(s.processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(s.processor->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
  ASSERT_EQ(s.component->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(Narrow(info.name), "Input");
  EXPECT_EQ(info.channelCount, 1);
  SpeakerArrangement arr = 0;
  ASSERT_EQ(s.processor->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kMono);
  EXPECT_EQ(s.processor->getBusArrangement(kOutput, 1, arr), kInvalidArgument);
  EXPECT_EQ(s.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
  ASSERT_EQ(s.processor->getBusArrangement(kInput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kStereo);
  EXPECT_EQ(s.processor->setBusArrangements(nullptr, 1, &stereo, 1), kInvalidArgument);
  EXPECT_EQ(s.processor->setBusArrangements(&stereo, -1, &stereo, 1), kInvalidArgument);
  EXPECT_EQ(s.processor->setBusArrangements(&stereo, 0, &stereo, 1), kResultFalse);
}

TEST_F(ModuleHost, ProcessingSetUp) {
  PluginSession s(factory, &host);
  EXPECT_EQ(s.processor->canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(s.processor->canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(s.processor->canProcessSampleSize(2), kResultFalse);
  ProcessSetup bad{kRealtime, 2, 512, 44100.0};
  EXPECT_EQ(s.processor->setupProcessing(bad), kResultFalse);
  ProcessSetup noRate{kRealtime, kSample32, 512, 0.0};
  EXPECT_EQ(s.processor->setupProcessing(noRate), kResultFalse);
  EXPECT_EQ(s.Prepare(kSample64, 512, 48000.0), kResultOk);
  EXPECT_EQ(s.Prepare(kSample32, 512, 48000.0), kResultOk);
  EXPECT_EQ(s.processor->getLatencySamples(), 0u);
  EXPECT_EQ(s.processor->getTailSamples(), 0u);
  EXPECT_EQ(s.processor->setProcessing(true), kNotImplemented);
  EXPECT_EQ(s.component->setActive(false), kResultOk);
  TUID cid;
  EXPECT_EQ(s.component->getControllerClassId(cid), kNotImplemented);
  EXPECT_EQ(s.component->setIoMode(0), kNotImplemented);
}

TEST_F(ModuleHost, BandpassPresetMatchesTheFilterResponse) {
  for (int32 size : {kSample32, kSample64}) {
    PluginSession s(factory, &host);
    ASSERT_EQ(s.Prepare(size, 512), kResultOk);
    ParamChanges changes;
    changes.Set(kPreset, 1.0 / 14);  // "1 oct bandwidth": bandpass, 2000 Hz, 12 %
    const double rate = 44100.0, q = 1.44;
    for (double hz : {2000.0, 500.0, 8000.0}) {
      const auto out = RunMono(s.processor, size, Sine(hz, rate, 44100), 512, &changes);
      changes.Clear();
      // The analog prototype q s / (s^2 + q s + 1) at the pre-warped frequency.
      const double w = std::tan(kPi * hz / rate) / std::tan(kPi * 2000.0 / rate);
      const double expected = 0.5 * q * w / std::sqrt((1 - w * w) * (1 - w * w) + q * q * w * w);
      EXPECT_NEAR(AmplitudeAt(out, hz, rate, 22050), expected, expected * 2e-3) << hz << " Hz, size " << size;
    }
    EXPECT_NEAR(Plain(s, kFilterFreq), 2000.0, 1e-6);
  }
}

TEST_F(ModuleHost, LongBlocksAreProcessedWhole) {
  // More frames than announced: the output must equal the same audio sent in legal blocks.
  PluginSession whole(factory, &host), pieces(factory, &host);
  ASSERT_EQ(whole.Prepare(kSample32, 64), kResultOk);
  ASSERT_EQ(pieces.Prepare(kSample32, 64), kResultOk);
  ParamChanges a, b;
  a.Set(kPreset, 1.0 / 14);
  b.Set(kPreset, 1.0 / 14);
  const auto input = Sine(1000.0, 44100.0, 1000);
  const auto one = RunMono(whole.processor, kSample32, input, 1000, &a);
  const auto many = RunMono(pieces.processor, kSample32, input, 64, &b);
  ASSERT_EQ(one.size(), many.size());
  for (std::size_t i = 0; i < one.size(); ++i) ASSERT_EQ(one[i], many[i]) << "frame " << i;
  EXPECT_GT(std::fabs(one[900]), 1e-3);
}

TEST_F(ModuleHost, OnlyTheLastQueuePointCounts) {
  PluginSession s(factory, &host);
  ASSERT_EQ(s.Prepare(kSample32, 256), kResultOk);
  ParamChanges changes;
  ParamQueue& q = changes.Queue(kFilterFreq);
  q.Add(0, 0.1);
  q.Add(64, 0.9);
  q.Add(200, 0.5);
  changes.Set(0x7777, 0.3);  // an ID nobody knows
  StereoBlock<float> block(256);
  EXPECT_EQ(block.Process(s.processor, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(s.controller->getParamNormalized(kFilterFreq),
                   s.controller->plainParamToNormalized(kFilterFreq, std::floor(20 + 19980 * 0.25 + 0.5)));
}

TEST_F(ModuleHost, BypassAndPresetParameters) {
  PluginSession s(factory, &host);
  ASSERT_EQ(s.Prepare(kSample64, 128), kResultOk);
  ParamChanges changes;
  changes.Set(kBypass, 0.51);
  StereoBlock<double> block(128);
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> noise(-1, 1);
  for (int c = 0; c < 2; ++c)
    for (double& x : block.in[c]) x = noise(rng);
  ASSERT_EQ(block.Process(s.processor, &changes), kResultOk);
  EXPECT_EQ(block.out[0], block.in[0]);
  EXPECT_EQ(block.out[1], block.in[1]);
  EXPECT_EQ(s.controller->getParamNormalized(kBypass), 1.0);
  changes.Clear();
  changes.Set(kBypass, 0.5);
  block.Process(s.processor, &changes);
  EXPECT_EQ(s.controller->getParamNormalized(kBypass), 0.0);

  // 0.5 of 15 presets is preset 7, "Low Frequencies": lowpass at 3000 Hz.
  changes.Clear();
  changes.Set(kPreset, 0.5);
  block.Process(s.processor, &changes);
  EXPECT_DOUBLE_EQ(s.controller->getParamNormalized(kPreset), 0.5);
  EXPECT_NEAR(Plain(s, kFilterType), 0.0, 1e-9);
  EXPECT_NEAR(Plain(s, kFilterFreq), 3000.0, 1e-6);

  // Selecting through the controller moves only the index.
  EXPECT_EQ(s.controller->setParamNormalized(kPreset, 1.0), kResultOk);
  EXPECT_DOUBLE_EQ(s.controller->getParamNormalized(kPreset), 1.0);
  EXPECT_NEAR(Plain(s, kFilterFreq), 3000.0, 1e-6);
  EXPECT_EQ(s.controller->setParamNormalized(kBypass, 1.0), kResultOk);
  EXPECT_EQ(s.controller->getParamNormalized(kBypass), 1.0);
  EXPECT_EQ(s.controller->setParamNormalized(0x7777, 1.0), kResultFalse);
}

TEST_F(ModuleHost, TheDefaultPresetGivesEveryDefaultByEitherPath) {
  PluginSession s(factory, &host);
  ASSERT_EQ(s.Prepare(kSample64, 4800, 48000.0), kResultOk);
  std::vector<ParamValue> defaults;
  for (int32 i = 1; i <= 9; ++i) {
    ParameterInfo info{};
    ASSERT_EQ(s.controller->getParameterInfo(i, info), kResultOk);
    defaults.push_back(info.defaultNormalizedValue);
  }
  auto expectDefaults = [&](const char* path) {
    for (ParamID id = 0; id < 9; ++id)
      EXPECT_NEAR(s.controller->getParamNormalized(id), defaults[id], 1e-12) << path << id;
  };
  ParamChanges changes;
  changes.Set(kPreset, 7.0 / 14);  // "Low Frequencies"
  RunMono(s.processor, kSample64, Sine(100, 48000, 64), 64, &changes);
  changes.Clear();
  changes.Set(kPreset, 0.0);
  // The defaults are a 20 Hz highpass, fully wet: a 1 kHz tone keeps its level.
  const std::vector<double> out = RunMono(s.processor, kSample64, Sine(1000, 48000, 4800), 4800, &changes);
  expectDefaults("process ");
  EXPECT_NEAR(AmplitudeAt(out, 1000, 48000, 2400), 0.5, 0.005);

  ASSERT_EQ(s.controller->setParamNormalized(kPreset, 7.0 / 14), kResultOk);
  EXPECT_NEAR(Plain(s, kFilterFreq), 3000.0, 1e-6);
  ASSERT_EQ(s.controller->setParamNormalized(kPreset, 0.0), kResultOk);
  expectDefaults("controller ");
}

TEST_F(ModuleHost, ReactivationAndNewSetUpStartFromAClearFilter) {
  // Each way back into processing, after a loud low block under another preset, must give the
  // first block of a fresh instance exactly.
  const std::vector<double> loud = Sine(150, 48000, 4096, 0.9), probe = Sine(3000, 48000, 256);
  ParamChanges lowFrequencies, highFrequencies;
  lowFrequencies.Set(kPreset, 7.0 / 14);
  highFrequencies.Set(kPreset, 5.0 / 14);
  PluginSession fresh(factory, &host);
  ASSERT_EQ(fresh.Prepare(kSample64, 256, 48000.0), kResultOk);
  const std::vector<double> expected = RunMono(fresh.processor, kSample64, probe, 256, &highFrequencies);
  for (int way = 0; way < 2; ++way) {
    PluginSession used(factory, &host);
    ASSERT_EQ(used.Prepare(kSample64, 256, 48000.0), kResultOk);
    RunMono(used.processor, kSample64, loud, 256, &lowFrequencies);
    if (way == 0) {
      used.component->setActive(false);
      used.component->setActive(true);
    } else {
      ProcessSetup setup{kRealtime, kSample64, 256, 48000.0};
      ASSERT_EQ(used.processor->setupProcessing(setup), kResultOk);
    }
    EXPECT_EQ(RunMono(used.processor, kSample64, probe, 256, &highFrequencies), expected) << way;
  }
}

TEST_F(ModuleHost, APresetChangeReachesTheHostsControls) {
  PluginSession s(factory, &host);
  ComponentHandler handler;
  ASSERT_EQ(s.controller->setComponentHandler(&handler), kResultTrue);
  ASSERT_EQ(s.Prepare(kSample64, 64), kResultOk);
  auto restarts = [&handler] {
    int n = 0;
    for (const ComponentHandler::Call& c : handler.calls) n += c.kind == 'r' && c.value == kParamValuesChanged;
    return n;
  };
  // From process the audio thread only marks it; the host hears of it on its next query.
  ParamChanges changes;
  changes.Set(kPreset, 7.0 / 14);  // "Low Frequencies": lowpass at 3 kHz
  StereoBlock<double> block(64);
  ASSERT_EQ(block.Process(s.processor, &changes), kResultOk);
  EXPECT_EQ(restarts(), 0);
  EXPECT_NEAR(Plain(s, kFilterFreq), 3000.0, 1e-6);
  EXPECT_EQ(restarts(), 1);
  EXPECT_NEAR(Plain(s, kFilterType), 0.0, 1e-9);
  EXPECT_EQ(restarts(), 1);
  // Through the controller the values follow at once, and so does the restart.
  ASSERT_EQ(s.controller->setParamNormalized(kPreset, 12.0 / 14), kResultOk);  // "Vibrato"
  EXPECT_EQ(restarts(), 2);
  EXPECT_NEAR(Plain(s, kFilterFreq), 6000.0, 1e-6);
  EXPECT_NEAR(Plain(s, kFilterType), 2.0, 1e-9);
  s.controller->setComponentHandler(nullptr);
}

TEST_F(ModuleHost, ListParametersAreListsWithTheirStepCounts) {
  PluginSession s(factory, &host);
  // Index: step count of the five lists ("Filter Type", "LFO Target", "LFO Wave", "LFO Rate",
  // "LFO Reset"); the others are numbers.
  const std::map<ParamID, int32> lists = {{0, 2}, {4, 3}, {5, 5}, {6, 27}, {8, 1}};
  for (int32 position = 1; position <= 9; ++position) {
    ParameterInfo info{};
    ASSERT_EQ(s.controller->getParameterInfo(position, info), kResultOk);
    const auto list = lists.find(info.id);
    EXPECT_EQ((info.flags & ParameterInfo::kIsList) != 0, list != lists.end()) << info.id;
    EXPECT_NE(info.flags & ParameterInfo::kCanAutomate, 0) << info.id;
    if (list != lists.end()) {
      EXPECT_EQ(info.stepCount, list->second) << info.id;
    }
  }
}

TEST_F(ModuleHost, StateRoundTrip) {
  PluginSession a(factory, &host);
  ASSERT_EQ(a.Prepare(kSample32, 64), kResultOk);
  ParamChanges changes;
  changes.Set(kPreset, 12.0 / 14);  // "Vibrato"
  StereoBlock<float> block(64);
  block.Process(a.processor, &changes);
  MemoryStream saved;
  ASSERT_EQ(a.component->getState(&saved), kResultOk);
  ASSERT_EQ(saved.bytes.size(), 72u);
  const std::vector<double> vibrato = {2, 6000, 20, 80, 3, 0, 0, 60, 0};
  EXPECT_EQ(DecodeDoubles(saved.bytes), vibrato);

  PluginSession b(factory, &host);
  MemoryStream load(saved.bytes);
  EXPECT_EQ(b.component->setState(&load), kResultOk);
  for (ParamID id = 0; id < 9; ++id) EXPECT_NEAR(Plain(b, id), vibrato[id], 1e-6) << id;

  // The controller's own state is empty and must not disturb the parameters.
  MemoryStream controllerState;
  EXPECT_EQ(b.controller->getState(&controllerState), kResultOk);
  EXPECT_TRUE(controllerState.bytes.empty());
  EXPECT_EQ(b.controller->setState(&controllerState), kResultOk);
  EXPECT_NEAR(Plain(b, kFilterFreq), 6000.0, 1e-6);
  EXPECT_EQ(b.controller->setComponentState(&load), kNotImplemented);

  MemoryStream refusing;
  refusing.refuseWrites = true;
  EXPECT_EQ(a.component->getState(&refusing), kResultFalse);
  EXPECT_EQ(a.component->getState(nullptr), kInvalidArgument);
  EXPECT_EQ(a.component->setState(nullptr), kInvalidArgument);
}

TEST_F(ModuleHost, StreamsOfAnyLengthLeaveValidParameters) {
  std::mt19937 rng(2024);
  for (std::size_t length : {std::size_t(0), std::size_t(1), std::size_t(71), std::size_t(73), std::size_t(3) << 20}) {
    PluginSession s(factory, &host);
    std::vector<double> before;
    for (ParamID id = 0; id < 9; ++id) before.push_back(s.controller->getParamNormalized(id));
    std::vector<unsigned char> noise(length);
    for (auto& byte : noise) byte = static_cast<unsigned char>(rng());
    MemoryStream stream(noise);
    // A stream shorter than a whole state is refused and changes nothing.
    const bool whole = length >= 72;
    EXPECT_EQ(s.component->setState(&stream), whole ? kResultOk : kResultFalse) << length;
    for (ParamID id = 0; !whole && id < 9; ++id) EXPECT_EQ(s.controller->getParamNormalized(id), before[id]) << length;
    for (ParamID id = 0; id < 9; ++id) {
      const double v = s.controller->getParamNormalized(id);
      EXPECT_TRUE(v >= 0.0 && v <= 1.0) << "length " << length << " param " << id << " = " << v;
    }
    ASSERT_EQ(s.Prepare(kSample32, 64), kResultOk);
    StereoBlock<float> block(64);
    EXPECT_EQ(block.Process(s.processor), kResultOk);
  }
}

TEST_F(ModuleHost, ErroringStreamsAreReadOnlyForTheHostThatNeedsIt) {
  std::vector<unsigned char> state;
  {
    PluginSession a(factory, &host);
    ParamChanges changes;
    changes.Set(kPreset, 5.0 / 14);  // "High Frequencies": highpass at 8000 Hz
    a.Prepare(kSample32, 32);
    StereoBlock<float> block(32);
    block.Process(a.processor, &changes);
    MemoryStream saved;
    a.component->getState(&saved);
    state = saved.bytes;
  }
  HostApplication wavelab(u"WaveLab Pro");
  PluginSession tolerant(factory, &wavelab), strict(factory, &host);
  MemoryStream s1(state), s2(state);
  s1.reportErrorOnRead = s2.reportErrorOnRead = true;
  tolerant.component->setState(&s1);
  strict.component->setState(&s2);
  EXPECT_NEAR(Plain(tolerant, kFilterFreq), 8000.0, 1e-6);
  // Nothing read: the state is refused and the defaults stay (highpass at 20 Hz).
  EXPECT_NEAR(Plain(strict, kFilterFreq), 20.0, 1e-6);
  EXPECT_NEAR(Plain(strict, kFilterType), 1.0, 1e-6);
}

TEST_F(ModuleHost, ControllerParameters) {
  PluginSession s(factory, &host);
  ASSERT_EQ(s.controller->getParameterCount(), 10);
  ParameterInfo p{};
  ASSERT_EQ(s.controller->getParameterInfo(0, p), kResultTrue);
  EXPECT_EQ(p.id, kPreset);
  EXPECT_EQ(Narrow(p.title), "Presets");
  EXPECT_EQ(p.flags, 0x8008);
  EXPECT_EQ(p.stepCount, kPresets - 1);
  ASSERT_EQ(s.controller->getParameterInfo(2, p), kResultTrue);
  EXPECT_EQ(p.id, kFilterFreq);
  EXPECT_EQ(Narrow(p.title), "Filter Freq");
  EXPECT_EQ(Narrow(p.units), "Hz");
  EXPECT_EQ(Narrow(p.shortTitle), "");
  EXPECT_EQ(p.stepCount, 19980);
  EXPECT_EQ(p.defaultNormalizedValue, 0.0);
  EXPECT_EQ(p.unitId, 0);
  EXPECT_EQ(p.flags, ParameterInfo::kCanAutomate);
  ASSERT_EQ(s.controller->getParameterInfo(1, p), kResultTrue);
  EXPECT_EQ(p.id, kFilterType);
  EXPECT_EQ(p.stepCount, 2);
  EXPECT_DOUBLE_EQ(p.defaultNormalizedValue, 0.5);  // Highpass of three types
  EXPECT_EQ(s.controller->getParameterInfo(10, p), kResultFalse);
  EXPECT_EQ(s.controller->getParameterInfo(-1, p), kResultFalse);

  String128 text{};
  ASSERT_EQ(s.controller->getParamStringByValue(kFilterFreq, 1.0, text), kResultOk);
  EXPECT_EQ(Narrow(text), "20000");
  ASSERT_EQ(s.controller->getParamStringByValue(kLfoRate, 15.0 / 27, text), kResultOk);
  EXPECT_EQ(Narrow(text), "2/1");
  EXPECT_EQ(s.controller->getParamStringByValue(kPreset, 0.0, text), kResultFalse);
  EXPECT_EQ(s.controller->getParamStringByValue(kBypass, 0.0, text), kResultFalse);

  // Frequency normalises with exponent 2: plain = 20 + 19980 n^2.
  const double n = s.controller->plainParamToNormalized(kFilterFreq, 2000.0);
  EXPECT_NEAR(n, std::sqrt(1980.0 / 19980.0), 1e-12);
  EXPECT_NEAR(s.controller->normalizedParamToPlain(kFilterFreq, n), 2000.0, 1e-9);
  EXPECT_DOUBLE_EQ(s.controller->plainParamToNormalized(kPreset, 7), 0.5);
  EXPECT_EQ(s.controller->plainParamToNormalized(0x7777, 0.25), 0.25);
  TChar typed[] = u"2000";
  ParamValue parsed = -1;
  ASSERT_EQ(s.controller->getParamValueByString(kFilterFreq, typed, parsed), kResultTrue);
  EXPECT_NEAR(parsed, n, 1e-12);
  // Typed texts: display texts in any letter case, numbers with or without the unit; a text
  // that is neither is refused and the value it was meant for stays.
  const std::pair<ParamID, const TChar*> read[] = {
      {kFilterType, u"Highpass"}, {kFilterType, u" bandPASS "}, {kLfoRate, u"1/4"}, {kFilterFreq, u"2000 Hz"}};
  const double expected[] = {1, 2, 6, 2000};
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(s.controller->getParamValueByString(read[i].first, const_cast<TChar*>(read[i].second), parsed),
              kResultTrue)
        << i;
    EXPECT_NEAR(s.controller->normalizedParamToPlain(read[i].first, parsed), expected[i], 1e-9) << i;
  }
  parsed = -1;
  for (const TChar* junk : {u"loud", u"2000 dB", u"Highpass filter", u"", u"nan"})
    EXPECT_EQ(s.controller->getParamValueByString(kFilterFreq, const_cast<TChar*>(junk), parsed), kResultFalse);
  EXPECT_EQ(s.controller->getParamValueByString(kFilterType, const_cast<TChar*>(u"Notch"), parsed), kResultFalse);
  EXPECT_EQ(parsed, -1);
  EXPECT_EQ(s.controller->setParamNormalized(kFilterFreq, n), kResultOk);
  EXPECT_NEAR(Plain(s, kFilterFreq), 2000.0, 1e-6);
}

TEST_F(ModuleHost, EditorView) {
  PluginSession s(factory, &host);
  EXPECT_EQ(s.controller->createView("Editor"), nullptr);
  IPluginView* view = s.controller->createView("editor");
  // The one window type the platform's editor opens in. An editor that draws off-screen only
  // offers no view, so hosts show their own controls instead of an empty frame.
#if defined(_WIN32)
  const bool hwnd = true, x11 = false;
#elif defined(QUIVORANT_X11_EDITOR)
  const bool hwnd = false, x11 = true;
#else
  EXPECT_EQ(view, nullptr);
  return;
#endif
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), hwnd ? kResultTrue : kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), x11 ? kResultTrue : kResultFalse);
  ViewRect size;
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.right - size.left, 395);
  EXPECT_EQ(size.bottom - size.top, 248);
#if !defined(_WIN32)
  // A Linux host never gets a Windows window in.
  EXPECT_EQ(view->attached(reinterpret_cast<void*>(1), kPlatformTypeHWND), kResultFalse);
#endif
  EXPECT_EQ(view->removed(), kResultOk);
  s.component->terminate();
  EXPECT_EQ(view->release(), 0u);
}

TEST_F(ModuleHost, UnitsAndProgramList) {
  PluginSession s(factory, &host);
  EXPECT_EQ(s.units->getUnitCount(), 1);
  UnitInfo u{};
  ASSERT_EQ(s.units->getUnitInfo(0, u), kResultOk);
  EXPECT_EQ(u.id, 0);
  EXPECT_EQ(u.parentUnitId, -1);
  EXPECT_EQ(Narrow(u.name), "Root Unit");
  EXPECT_EQ(u.programListId, static_cast<int32>(kPreset));
  EXPECT_EQ(s.units->getUnitInfo(1, u), kResultFalse);
  ASSERT_EQ(s.units->getProgramListCount(), 1);
  ProgramListInfo list{};
  ASSERT_EQ(s.units->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(list.id, static_cast<int32>(kPreset));
  EXPECT_EQ(Narrow(list.name), "Factory Presets");
  EXPECT_EQ(list.programCount, kPresets);
  EXPECT_EQ(s.units->getProgramListInfo(1, list), kResultFalse);
  String128 name{};
  ASSERT_EQ(s.units->getProgramName(static_cast<int32>(kPreset), 0, name), kResultOk);
  EXPECT_EQ(Narrow(name), "---- default ----");
  s.units->getProgramName(static_cast<int32>(kPreset), 12, name);
  EXPECT_EQ(Narrow(name), "Vibrato");
  s.units->getProgramName(static_cast<int32>(kPreset), 13, name);
  EXPECT_EQ(Narrow(name), "- 14 -");
  s.units->getProgramName(static_cast<int32>(kPreset), 99, name);
  EXPECT_EQ(Narrow(name), "");
  EXPECT_EQ(s.units->getProgramName(5, 0, name), kResultFalse);
  EXPECT_EQ(s.units->getSelectedUnit(), 0);
  EXPECT_EQ(s.units->selectUnit(0), kNotImplemented);
}

TEST_F(ModuleHost, CallsOutOfOrderOrWithoutBuffers) {
  PluginSession s(factory, nullptr);  // never initialised
  MemoryStream empty;
  EXPECT_EQ(s.component->setState(&empty), kResultFalse);  // no state in it: refused, no harm
  StereoBlock<float> early(32);
  early.out[0].assign(32, 1.0f);
  EXPECT_EQ(early.Process(s.processor), kNotInitialized);
  EXPECT_EQ(early.out[0], std::vector<float>(32, 0.0f));

  ASSERT_EQ(s.component->initialize(&host), kResultOk);
  ASSERT_EQ(s.Prepare(kSample32, 64), kResultOk);
  ParamChanges changes;
  changes.Set(kFilterFreq, 1.0);
  ProcessData flush{};
  flush.symbolicSampleSize = kSample32;
  flush.inputParameterChanges = &changes;
  EXPECT_EQ(s.processor->process(flush), kResultOk);
  EXPECT_EQ(s.controller->getParamNormalized(kFilterFreq), 1.0);

  StereoBlock<float> b(64);
  AudioBusBuffers noChannels{};
  b.data.inputs = &noChannels;
  b.data.outputs = &noChannels;
  EXPECT_EQ(s.processor->process(b.data), kResultOk);
  b.data.inputs = nullptr;
  b.data.outputs = nullptr;
  EXPECT_EQ(s.processor->process(b.data), kResultOk);
  StereoBlock<float> nullSamples(64);
  nullSamples.inPtr[0] = nullptr;
  nullSamples.outPtr[1] = nullptr;
  EXPECT_EQ(nullSamples.Process(s.processor), kResultOk);
  // Buffers of the other width than set up are left alone.
  StereoBlock<double> wrongWidth(64);
  wrongWidth.out[0].assign(64, 3.0);
  EXPECT_EQ(wrongWidth.Process(s.processor), kResultOk);
  EXPECT_EQ(wrongWidth.out[0], std::vector<double>(64, 3.0));
  EXPECT_EQ(s.component->terminate(), kResultOk);
  EXPECT_EQ(b.Process(s.processor), kResultOk);
}

// The editor's size: the host's content scale resizes the view through the frame once, and the
// size the user chose travels in the controller's state (absent: the editor follows the host).
TEST_F(ModuleHost, EditorSizeFollowsTheHostScaleAndTheStoredChoice) {
  PluginSession s(factory, &host);
  IPluginView* view = s.controller->createView("editor");
  if (view == nullptr) return;  // an off-screen build offers no view
  PlugFrame frame;
  view->setFrame(&frame);
  void* scaling = nullptr;
  ASSERT_EQ(view->queryInterface(IViewContentScaleSupport::iid, &scaling), kResultOk);
  auto* scale = static_cast<IViewContentScaleSupport*>(scaling);
  const auto viewSize = [](IPluginView* v) {
    ViewRect r;
    v->getSize(&r);
    return std::make_pair(r.getWidth(), r.getHeight());
  };
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);  // unchanged: nothing to ask
  EXPECT_EQ(frame.requests, 1);
  EXPECT_EQ(frame.lastSize.getWidth(), 790);
  EXPECT_EQ(frame.lastSize.getHeight(), 496);
  EXPECT_EQ(viewSize(view), std::make_pair(790, 496));

  MemoryStream unchosen;
  EXPECT_EQ(s.controller->getState(&unchosen), kResultOk);
  EXPECT_TRUE(unchosen.bytes.empty());
  // 150 % chosen: the tag "QVsz" and the percentage, little-endian.
  MemoryStream chosen({'Q', 'V', 's', 'z', 150, 0, 0, 0});
  EXPECT_EQ(s.controller->setState(&chosen), kResultOk);
  EXPECT_EQ(viewSize(view), std::make_pair(593, 372));  // the user's choice wins over the host's
  MemoryStream saved;
  EXPECT_EQ(s.controller->getState(&saved), kResultOk);
  EXPECT_EQ(saved.bytes, chosen.bytes);

  PluginSession restored(factory, &host);
  IPluginView* second = restored.controller->createView("editor");
  ASSERT_NE(second, nullptr);
  saved.position = 0;
  EXPECT_EQ(restored.controller->setState(&saved), kResultOk);
  EXPECT_EQ(viewSize(second), std::make_pair(593, 372));
  MemoryStream older;  // a project saved before sizes were kept
  EXPECT_EQ(restored.controller->setState(&older), kResultOk);
  EXPECT_EQ(viewSize(second), std::make_pair(395, 248));

  scale->release();
  for (IPluginView* v : {view, second}) v->removed();
  s.component->terminate();
  restored.component->terminate();
  EXPECT_EQ(view->release(), 0u);
  EXPECT_EQ(second->release(), 0u);
}

}  // namespace
}  // namespace quivorant::test
