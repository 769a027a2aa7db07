#include "vst3/sdk/helpers/vstsinglecomponenteffect.h"

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect() {
  processSetup.processMode = kRealtime;
  processSetup.symbolicSampleSize = kSample32;
  processSetup.maxSamplesPerBlock = 1024;
  processSetup.sampleRate = 44100.0;
}

SingleComponentEffect::~SingleComponentEffect() { removeAllBusses(); }

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) { return EditController::initialize(context); }

tresult PLUGIN_API SingleComponentEffect::terminate() {
  parameters.removeAll();
  removeAllBusses();
  return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) { return kNotImplemented; }

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
  if (type == kAudio) return dir == kInput ? &audioInputs : (dir == kOutput ? &audioOutputs : nullptr);
  if (type == kEvent) return dir == kInput ? &eventInputs : (dir == kOutput ? &eventOutputs : nullptr);
  return nullptr;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
  BusList* list = getBusList(type, dir);
  return list != nullptr ? list->size() : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& info) {
  BusList* list = getBusList(type, dir);
  Bus* bus = list != nullptr ? list->at(index) : nullptr;
  if (bus == nullptr || isNullAddress(&info)) return kInvalidArgument;
  info.mediaType = type;
  info.direction = dir;
  return bus->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index, TBool state) {
  BusList* list = getBusList(type, dir);
  Bus* bus = list != nullptr ? list->at(index) : nullptr;
  if (bus == nullptr) return kInvalidArgument;
  bus->setActive(state);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool) { return kResultOk; }
tresult SingleComponentEffect::setProcessorState(IBStream*) { return kNotImplemented; }
tresult SingleComponentEffect::getProcessorState(IBStream*) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs, int32 numOuts) {
  if (numIns < 0 || numOuts < 0) return kInvalidArgument;
  if ((numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr)) return kInvalidArgument;
  if (numIns > audioInputs.size() || numOuts > audioOutputs.size()) return kResultFalse;
  for (int32 i = 0; i < numIns; ++i) static_cast<AudioBus*>(audioInputs.at(i))->setArrangement(inputs[i]);
  for (int32 i = 0; i < numOuts; ++i) static_cast<AudioBus*>(audioOutputs.at(i))->setArrangement(outputs[i]);
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) {
  BusList* list = getBusList(kAudio, dir);
  Bus* bus = list != nullptr ? list->at(index) : nullptr;
  if (bus == nullptr || isNullAddress(&arr)) return kInvalidArgument;
  arr = static_cast<AudioBus*>(bus)->getArrangement();
  return kResultTrue;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples() { return 0; }

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
  if (isNullAddress(&setup)) return kInvalidArgument;
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue) return kResultFalse;
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) { return kNotImplemented; }
uint32 PLUGIN_API SingleComponentEffect::getTailSamples() { return kNoTail; }
uint32 PLUGIN_API SingleComponentEffect::getProcessContextRequirements() { return processContextRequirements; }

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type, int32 flags) {
  auto* bus = new AudioBus(name, type, flags, arr);
  audioInputs.append(bus);
  return bus;
}
AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type, int32 flags) {
  auto* bus = new AudioBus(name, type, flags, arr);
  audioOutputs.append(bus);
  return bus;
}
EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType type, int32 flags) {
  auto* bus = new EventBus(name, type, flags, channels);
  eventInputs.append(bus);
  return bus;
}
EventBus* SingleComponentEffect::addEventOutput(const TChar* name, int32 channels, BusType type, int32 flags) {
  auto* bus = new EventBus(name, type, flags, channels);
  eventOutputs.append(bus);
  return bus;
}

void SingleComponentEffect::removeAudioBusses() {
  audioInputs.clear();
  audioOutputs.clear();
}
void SingleComponentEffect::removeEventBusses() {
  eventInputs.clear();
  eventOutputs.clear();
}
void SingleComponentEffect::removeAllBusses() {
  removeAudioBusses();
  removeEventBusses();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid == nullptr) {
    *obj = nullptr;
    return kNoInterface;
  }
  // One object is both sides: a connection point would only invite hosts to connect it to
  // itself, so it stays hidden.
  if (FUnknownPrivate::iidEqual(queryIid, IConnectionPoint::iid)) {
    *obj = nullptr;
    return kNoInterface;
  }
  auto* component = static_cast<IComponent*>(this);
  if (answer(queryIid, IComponent::iid, component, obj) ||
      answer(queryIid, IAudioProcessor::iid, static_cast<IAudioProcessor*>(this), obj) ||
      answer(queryIid, IProcessContextRequirements::iid, static_cast<IProcessContextRequirements*>(this), obj) ||
      answer(queryIid, IEditController::iid, static_cast<IEditController*>(this), obj) ||
      answer(queryIid, IEditController2::iid, static_cast<IEditController2*>(this), obj) ||
      answer(queryIid, IPluginBase::iid, static_cast<IPluginBase*>(component), obj) ||
      answer(queryIid, FUnknown::iid, static_cast<FUnknown*>(component), obj))
    return kResultOk;
  return EditController::queryInterface(queryIid, obj);
}

}  // namespace Vst
}  // namespace Steinberg
