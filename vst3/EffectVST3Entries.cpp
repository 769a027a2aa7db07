// Host entry points of the component and processor side. Each one checks what the host
// handed over (null pointers, counts, call order) and forwards to the work in the other
// files; none throws.
#include <algorithm>

#include "vst3/IEffectVST3.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API IEffectVST3::setActive(TBool state) noexcept {
  ActivateProcessing(state != 0);
  return kResultOk;
}

tresult IEffectVST3::setProcessorState(IBStream* state) noexcept {
  if (state == nullptr) return kInvalidArgument;
  return LoadComponentState(state);
}

tresult IEffectVST3::getProcessorState(IBStream* state) noexcept {
  if (state == nullptr) return kInvalidArgument;
  return SaveComponentState(state);
}

tresult PLUGIN_API IEffectVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts) noexcept {
  if (numIns < 0 || numOuts < 0) return kInvalidArgument;
  if ((numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr)) return kInvalidArgument;
  // The layout is judged by the first bus of each direction; without one there is nothing to judge.
  if (numIns == 0 || numOuts == 0) {
    SetInputConnections(0, InputChannelCount(), false);
    SetOutputConnections(0, OutputChannelCount(), false);
    return kResultFalse;
  }
  return ApplyBusArrangements(inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API IEffectVST3::canProcessSampleSize(int32 symbolicSampleSize) noexcept {
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IEffectVST3::getLatencySamples() noexcept { return static_cast<uint32>(std::max(0, Latency())); }

tresult PLUGIN_API IEffectVST3::setupProcessing(ProcessSetup& setup) noexcept {
  if (isNullAddress(&setup)) return kInvalidArgument;
  return SetUpProcessing(setup);
}

tresult PLUGIN_API IEffectVST3::setProcessing(TBool) noexcept { return kNotImplemented; }

tresult PLUGIN_API IEffectVST3::process(ProcessData& data) noexcept {
  if (isNullAddress(&data)) return kInvalidArgument;
  if (!processingSetUp_) {
    // Before setupProcessing there are no scratch buffers to process into.
    SilenceOutputs(data);
    return kNotInitialized;
  }
  ProcessHostData(data);
  return kResultOk;
}

uint32 PLUGIN_API IEffectVST3::getTailSamples() noexcept { return 0; }

tresult PLUGIN_API IEffectVST3::queryInterface(const TUID queryIid, void** obj) noexcept {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && answer(queryIid, IUnitInfo::iid, static_cast<IUnitInfo*>(this), obj)) return kResultOk;
  return SingleComponentEffect::queryInterface(queryIid, obj);
}

}  // namespace quivorant
