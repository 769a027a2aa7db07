// Hosts a quivorant VST3 module: GetPluginFactory, the component with its processor and
// controller interfaces, parameter changes through process, tempo through the process context;
// the sequence a DAW follows:
//   1. factory -> createInstance(IComponent) -> initialize(host context)
//   2. IAudioProcessor and IEditController from the same object, setComponentHandler
//   3. setBusArrangements -> setupProcessing -> activateBus -> setActive(true) -> setProcessing(true)
//   4. process, block by block, with queued parameter changes applied at the next block
//   5. setProcessing(false) -> setActive(false) -> terminate -> release
#include <cstring>
#include <vector>

#include "platform/SharedLibrary.h"
#include "tools/render/HostedPlugin.h"
#include "vst3/sdk/interfaces/ibstream.h"
#include "vst3/sdk/interfaces/ipluginbase.h"
#include "vst3/sdk/interfaces/ivstaudioprocessor.h"
#include "vst3/sdk/interfaces/ivstcomponent.h"
#include "vst3/sdk/interfaces/ivsteditcontroller.h"
#include "vst3/sdk/interfaces/ivsthostapplication.h"
#include "vst3/sdk/interfaces/ivstunits.h"

namespace quivorant::render {

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::string Narrow(const char16* text, size_t capacity) {
  std::string out;
  for (size_t i = 0; i < capacity && text[i]; ++i) out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return out;
}

// Host objects live as long as the plug-in they serve, so their reference counts are nominal.
template <class Interface>
class HostObject : public Interface {
public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
    if (!obj) return kInvalidArgument;
    if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) || FUnknownPrivate::iidEqual(iid, Interface::iid)) {
      *obj = static_cast<Interface*>(this);
      return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
};

class HostApplication final : public HostObject<IHostApplication> {
public:
  tresult PLUGIN_API getName(String128 name) override {
    const char* text = "quivorant-render";
    size_t i = 0;
    for (; text[i] && i < 127; ++i) name[i] = static_cast<char16>(text[i]);
    name[i] = 0;
    return kResultOk;
  }
  tresult PLUGIN_API createInstance(TUID, TUID, void** obj) override {
    if (obj) *obj = nullptr;
    return kNotImplemented;
  }
};

// A stream the component writes its state into; reading and seeking are not needed for that.
class StateSink final : public HostObject<IBStream> {
public:
  tresult PLUGIN_API read(void*, int32, int32* numBytesRead) override {
    if (numBytesRead) *numBytesRead = 0;
    return kNotImplemented;
  }
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override {
    if (numBytesWritten) *numBytesWritten = 0;
    if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    bytes_.insert(bytes_.end(), bytes, bytes + numBytes);
    if (numBytesWritten) *numBytesWritten = numBytes;
    return kResultOk;
  }
  tresult PLUGIN_API seek(int64, int32, int64* result) override {
    if (result) *result = static_cast<int64>(bytes_.size());
    return kNotImplemented;
  }
  tresult PLUGIN_API tell(int64* pos) override {
    if (!pos) return kInvalidArgument;
    *pos = static_cast<int64>(bytes_.size());
    return kResultOk;
  }
  std::vector<unsigned char>& Bytes() { return bytes_; }

private:
  std::vector<unsigned char> bytes_;
};

// An offline render records no automation.
class ComponentHandler final : public HostObject<IComponentHandler> {
public:
  tresult PLUGIN_API beginEdit(ParamID) override { return kResultOk; }
  tresult PLUGIN_API performEdit(ParamID, ParamValue) override { return kResultOk; }
  tresult PLUGIN_API endEdit(ParamID) override { return kResultOk; }
  tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
};

// One point per parameter and block is all an offline host needs to send.
class ValueQueue final : public HostObject<IParamValueQueue> {
public:
  ValueQueue(ParamID id, ParamValue value) : id_(id), value_(value) {}
  ParamID PLUGIN_API getParameterId() override { return id_; }
  int32 PLUGIN_API getPointCount() override { return 1; }
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override {
    if (index != 0) return kResultFalse;
    sampleOffset = 0;
    value = value_;
    return kResultOk;
  }
  tresult PLUGIN_API addPoint(int32, ParamValue value, int32& index) override {
    value_ = value;
    index = 0;
    return kResultOk;
  }
  void Set(ParamValue value) { value_ = value; }

private:
  ParamID id_;
  ParamValue value_;
};

class ParameterChanges final : public HostObject<IParameterChanges> {
public:
  int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(queues_.size()); }
  IParamValueQueue* PLUGIN_API getParameterData(int32 index) override {
    return index >= 0 && index < getParameterCount() ? &queues_[static_cast<size_t>(index)] : nullptr;
  }
  IParamValueQueue* PLUGIN_API addParameterData(const ParamID&, int32& index) override {
    index = -1;
    return nullptr;  // the plug-in has no business adding input changes
  }
  // A later change of the same parameter replaces the earlier one, in place, keeping the order.
  void Queue(ParamID id, ParamValue value) {
    for (auto& q : queues_) {
      if (q.getParameterId() == id) return q.Set(value);
    }
    queues_.emplace_back(id, value);
  }
  void Clear() { queues_.clear(); }
  bool Empty() const { return queues_.empty(); }

private:
  std::vector<ValueQueue> queues_;
};

class Vst3Plugin final : public HostedPlugin {
public:
  bool Load(const std::string& path, std::string* error);
  ~Vst3Plugin() override;

  int ParamCount() override { return static_cast<int>(paramIds_.size()); }
  HostedParamInfo ParamInfo(int index) override;
  std::string FormatNormalized(int index, double normalized) override;
  double PlainToNormalized(int index, double plain) override {
    return controller_->plainParamToNormalized(paramIds_[static_cast<size_t>(index)], plain);
  }
  double GetNormalized(int index) override {
    return controller_->getParamNormalized(paramIds_[static_cast<size_t>(index)]);
  }
  void SetNormalized(int index, double normalized) override {
    Change(paramIds_[static_cast<size_t>(index)], normalized);
  }
  std::vector<std::string> PresetNames() override;
  bool SelectPreset(int index) override;
  bool Start(double sampleRateHz, int maxBlockFrames, bool doublePrecision) override;
  void Process(const TransportInfo& transport, float* const* in, float* const* out, int frames) override;
  void Process(const TransportInfo& transport, double* const* in, double* const* out, int frames) override;
  void Stop() override;
  bool SaveState(std::vector<unsigned char>* state) override {
    StateSink sink;
    if (component_->getState(&sink) != kResultOk || sink.Bytes().empty()) return false;
    state->swap(sink.Bytes());
    return true;
  }

private:
  void Change(ParamID id, ParamValue value) {
    controller_->setParamNormalized(id, value);
    pending_.Queue(id, value);
  }
  template <typename Sample>
  void ProcessBlock(const TransportInfo& transport, Sample* const* in, Sample* const* out, int frames);

  SharedLibrary library_;
  IPluginFactory* factory_ = nullptr;
  IComponent* component_ = nullptr;
  IAudioProcessor* processor_ = nullptr;
  IEditController* controller_ = nullptr;
  IUnitInfo* units_ = nullptr;
  bool initialized_ = false;
  bool active_ = false;
  HostApplication host_;
  ComponentHandler handler_;
  ParameterChanges pending_;
  std::vector<ParamID> paramIds_;  // automatable parameters, in the controller's order
  ParamID presetParamId_ = kNoParamId;
  int32 programListId_ = -1;
  int32 programCount_ = 0;
  double sampleRateHz_ = 44100.0;
  int32 sampleSize_ = kSample32;
};

bool Vst3Plugin::Load(const std::string& path, std::string* error) {
  if (!OpenPluginLibrary(library_, path, error)) return false;
  using GetFactory = IPluginFactory* (*)();
  auto getFactory = reinterpret_cast<GetFactory>(library_.Symbol("GetPluginFactory"));
  if (!getFactory) {
    *error = "\"" + path + "\" is not a VST3 module (no GetPluginFactory)";
    return false;
  }
  // Linux modules want ModuleEntry with their own handle before anything else.
  using ModuleEntry = bool (*)(void*);
  if (auto entry = reinterpret_cast<ModuleEntry>(library_.Symbol("ModuleEntry"))) entry(library_.Handle());
  factory_ = getFactory();
  if (!factory_) {
    *error = "\"" + path + "\" has no plug-in factory";
    return false;
  }
  PFactoryInfo factoryInfo{};
  factory_->getFactoryInfo(&factoryInfo);
  PClassInfo classInfo{};
  int32 found = -1;
  for (int32 i = 0; i < factory_->countClasses(); ++i) {
    if (factory_->getClassInfo(i, &classInfo) == kResultOk &&
        std::strcmp(classInfo.category, "Audio Module Class") == 0) {
      found = i;
      break;
    }
  }
  if (found < 0 || std::strcmp(classInfo.name, "quivorant") != 0 || std::strcmp(factoryInfo.vendor, "Tolvane") != 0) {
    *error = "\"" + path + "\" is not a quivorant plug-in";
    return false;
  }
  void* obj = nullptr;
  if (factory_->createInstance(classInfo.cid, IComponent::iid, &obj) != kResultOk || !obj) {
    *error = "the plug-in refused to create an instance";
    return false;
  }
  component_ = static_cast<IComponent*>(obj);
  if (component_->initialize(&host_) != kResultOk) {
    *error = "the plug-in failed to initialize";
    return false;
  }
  initialized_ = true;
  processor_ = queryInterfaceOf<IAudioProcessor>(component_);
  controller_ = queryInterfaceOf<IEditController>(component_);
  if (!processor_ || !controller_) {
    *error = "the plug-in offers no audio processor or edit controller";
    return false;
  }
  controller_->setComponentHandler(&handler_);
  units_ = queryInterfaceOf<IUnitInfo>(controller_);
  for (int32 i = 0; i < controller_->getParameterCount(); ++i) {
    ParameterInfo info{};
    if (controller_->getParameterInfo(i, info) != kResultOk) continue;
    if (info.flags & ParameterInfo::kIsProgramChange) {
      presetParamId_ = info.id;
    } else if (!(info.flags & ParameterInfo::kIsBypass)) {
      paramIds_.push_back(info.id);
    }
  }
  ProgramListInfo list{};
  if (units_ && units_->getProgramListCount() > 0 && units_->getProgramListInfo(0, list) == kResultOk) {
    programListId_ = list.id;
    programCount_ = list.programCount;
  }
  return true;
}

Vst3Plugin::~Vst3Plugin() {
  Stop();
  if (units_) units_->release();
  if (controller_) {
    controller_->setComponentHandler(nullptr);
    controller_->release();
  }
  if (processor_) processor_->release();
  if (component_) {
    if (initialized_) component_->terminate();
    component_->release();
  }
  if (factory_) factory_->release();
  using ModuleExit = bool (*)();
  if (auto exit = reinterpret_cast<ModuleExit>(library_.Symbol("ModuleExit"))) exit();
}

std::string Vst3Plugin::FormatNormalized(int index, double normalized) {
  String128 text{};
  if (controller_->getParamStringByValue(paramIds_[static_cast<size_t>(index)], normalized, text) != kResultOk)
    return {};
  return Narrow(text, 128);
}

HostedParamInfo Vst3Plugin::ParamInfo(int index) {
  HostedParamInfo out;
  ParameterInfo info{};
  for (int32 i = 0; i < controller_->getParameterCount(); ++i) {
    if (controller_->getParameterInfo(i, info) == kResultOk && info.id == paramIds_[static_cast<size_t>(index)]) break;
  }
  out.name = Narrow(info.title, 128);
  out.unit = Narrow(info.units, 128);
  out.stepCount = info.stepCount;
  out.defaultNormalized = info.defaultNormalizedValue;
  out.minPlain = controller_->normalizedParamToPlain(info.id, 0.0);
  out.maxPlain = controller_->normalizedParamToPlain(info.id, 1.0);
  // A short list whose texts are words is a list parameter ("Lowpass", "1/8T"); numbers are not.
  if (info.stepCount > 0 && info.stepCount <= 64) {
    std::vector<std::string> texts;
    bool words = false;
    for (int32 k = 0; k <= info.stepCount; ++k) {
      texts.push_back(FormatNormalized(index, static_cast<double>(k) / info.stepCount));
      double ignored = 0.0;
      words = words || !ParseNumber(texts.back(), &ignored);
    }
    if (words) out.valueTexts = texts;
  }
  return out;
}

std::vector<std::string> Vst3Plugin::PresetNames() {
  std::vector<std::string> names;
  for (int32 i = 0; units_ && i < programCount_; ++i) {
    String128 name{};
    units_->getProgramName(programListId_, i, name);
    names.push_back(Narrow(name, 128));
  }
  return names;
}

bool Vst3Plugin::SelectPreset(int index) {
  if (presetParamId_ == kNoParamId || index < 0 || index >= programCount_) return false;
  Change(presetParamId_, programCount_ > 1 ? static_cast<double>(index) / (programCount_ - 1) : 0.0);
  return true;
}

bool Vst3Plugin::Start(double sampleRateHz, int maxBlockFrames, bool doublePrecision) {
  sampleRateHz_ = sampleRateHz;
  sampleSize_ = doublePrecision ? kSample64 : kSample32;
  if (processor_->canProcessSampleSize(sampleSize_) != kResultOk) return false;
  SpeakerArrangement in = SpeakerArr::kStereo, out = SpeakerArr::kStereo;
  if (processor_->setBusArrangements(&in, 1, &out, 1) != kResultOk) return false;
  ProcessSetup setup{kOffline, sampleSize_, maxBlockFrames, sampleRateHz};
  if (processor_->setupProcessing(setup) != kResultOk) return false;
  // Buses start inactive; a host switches on the ones it feeds.
  component_->activateBus(kAudio, kInput, 0, true);
  component_->activateBus(kAudio, kOutput, 0, true);
  if (component_->setActive(true) != kResultOk) return false;
  active_ = true;
  processor_->setProcessing(true);  // may answer not-implemented; that is allowed
  return true;
}

void Vst3Plugin::Stop() {
  if (!active_) return;
  processor_->setProcessing(false);
  component_->setActive(false);
  active_ = false;
}

template <typename Sample>
void Vst3Plugin::ProcessBlock(const TransportInfo& transport, Sample* const* in, Sample* const* out, int frames) {
  AudioBusBuffers inBus{}, outBus{};
  inBus.numChannels = 2;
  outBus.numChannels = 2;
  if constexpr (sizeof(Sample) == sizeof(double)) {
    inBus.channelBuffers64 = const_cast<double**>(in);
    outBus.channelBuffers64 = const_cast<double**>(out);
  } else {
    inBus.channelBuffers32 = const_cast<float**>(in);
    outBus.channelBuffers32 = const_cast<float**>(out);
  }
  ProcessContext context{};
  context.sampleRate = sampleRateHz_;
  context.projectTimeSamples = static_cast<TSamples>(transport.samplePosition);
  context.timeSigNumerator = 4;
  context.timeSigDenominator = 4;
  context.state = ProcessContext::kTimeSigValid;
  if (transport.playing) context.state |= ProcessContext::kPlaying;
  if (transport.tempoBpm > 0.0) {
    context.tempo = transport.tempoBpm;
    context.projectTimeMusic = transport.samplePosition / sampleRateHz_ * transport.tempoBpm / 60.0;
    context.state |= ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid;
  }
  ProcessData data{};
  data.processMode = kOffline;
  data.symbolicSampleSize = sampleSize_;
  data.numSamples = frames;
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;
  data.inputParameterChanges = pending_.Empty() ? nullptr : &pending_;
  data.processContext = &context;
  processor_->process(data);
  pending_.Clear();
}

void Vst3Plugin::Process(const TransportInfo& transport, float* const* in, float* const* out, int frames) {
  ProcessBlock(transport, in, out, frames);
}

void Vst3Plugin::Process(const TransportInfo& transport, double* const* in, double* const* out, int frames) {
  ProcessBlock(transport, in, out, frames);
}

}  // namespace

std::unique_ptr<HostedPlugin> LoadVst3Plugin(const std::string& path, std::string* error) {
  auto plugin = std::make_unique<Vst3Plugin>();
  if (!plugin->Load(path, error)) return nullptr;
  return plugin;
}

}  // namespace quivorant::render
