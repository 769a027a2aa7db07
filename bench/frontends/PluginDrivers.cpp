#include "bench/frontends/PluginDrivers.h"

#include "vst2/abi/VstOpcodes.h"
#include "vst2/abi/VstTime.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

Vst3Driver::Vst3Driver(const char* modulePath, int frames, float** in, float** out) {
  if (!library_.Open(modulePath)) return;
  auto enter = reinterpret_cast<bool (*)(void*)>(library_.Symbol("ModuleEntry"));
  auto getFactory = reinterpret_cast<IPluginFactory* (*)()>(library_.Symbol("GetPluginFactory"));
  if (enter == nullptr || getFactory == nullptr || !(entered_ = enter(library_.Handle()))) return;
  factory_ = getFactory();
  PClassInfo info{};
  void* object = nullptr;
  if (factory_ == nullptr || factory_->getClassInfo(0, &info) != kResultOk ||
      factory_->createInstance(info.cid, IComponent::iid, &object) != kResultOk)
    return;
  component_ = static_cast<IComponent*>(object);
  if (component_->initialize(nullptr) != kResultOk ||
      component_->queryInterface(IAudioProcessor::iid, &object) != kResultOk)
    return;
  processor_ = static_cast<IAudioProcessor*>(object);
  ProcessSetup setup{kRealtime, kSample32, frames, kDriverRate};
  if (processor_->setupProcessing(setup) != kResultOk) return;
  component_->activateBus(kAudio, kInput, 0, true);
  component_->activateBus(kAudio, kOutput, 0, true);
  if (component_->setActive(true) != kResultOk) return;
  processor_->setProcessing(true);
  processing_ = true;

  inBus_.numChannels = outBus_.numChannels = 2;
  inBus_.channelBuffers32 = in;
  outBus_.channelBuffers32 = out;
  context_.sampleRate = kDriverRate;
  context_.tempo = kDriverTempo;
  context_.state = ProcessContext::kTempoValid;
  data_.processMode = kRealtime;
  data_.symbolicSampleSize = kSample32;
  data_.numSamples = frames;
  data_.numInputs = data_.numOutputs = 1;
  data_.inputs = &inBus_;
  data_.outputs = &outBus_;
  data_.processContext = &context_;
}

Vst3Driver::~Vst3Driver() {
  if (processing_) {
    processor_->setProcessing(false);
    component_->setActive(false);
  }
  if (processor_ != nullptr) processor_->release();
  if (component_ != nullptr) {
    component_->terminate();
    component_->release();
  }
  if (factory_ != nullptr) factory_->release();
  auto leave = reinterpret_cast<bool (*)()>(library_.Symbol("ModuleExit"));
  if (entered_ && leave != nullptr) leave();
}

namespace {

VstIntPtr VSTCALLBACK AnswerHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  static VstTimeInfo time = [] {
    VstTimeInfo t{};
    t.sampleRate = kDriverRate;
    t.tempo = kDriverTempo;
    t.flags = kVstTempoValid;
    return t;
  }();
  if (opcode == audioMasterVersion) return kVstVersion;
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(&time);
  return 0;
}

}  // namespace

Vst2Driver::Vst2Driver(const char* libraryPath, int frames, float** in, float** out)
    : in_(in), out_(out), frames_(frames) {
  if (!library_.Open(libraryPath)) return;
  auto main = reinterpret_cast<AEffect*(VSTCALLBACK*)(audioMasterCallback)>(library_.Symbol("VSTPluginMain"));
  effect_ = main != nullptr ? main(AnswerHost) : nullptr;
  if (effect_ == nullptr) return;
  Dispatch(effOpen);
  Dispatch(effSetSampleRate, 0, static_cast<float>(kDriverRate));
  Dispatch(effSetBlockSize, frames);
  Dispatch(effMainsChanged, 1);
}

Vst2Driver::~Vst2Driver() {
  if (effect_ == nullptr) return;
  Dispatch(effMainsChanged, 0);
  Dispatch(effClose);
}

void Vst2Driver::Dispatch(VstInt32 opcode, VstIntPtr value, float opt) {
  effect_->dispatcher(effect_, opcode, 0, value, nullptr, opt);
}

}  // namespace quivorant
