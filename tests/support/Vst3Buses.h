// Points a process call's data at one stereo input bus and one stereo output bus of `Sample`
// buffers (float: the 32-bit path, double: the 64-bit path).
#pragma once

#include "vst3/sdk/interfaces/ivstaudioprocessor.h"

namespace quivorant::test {

template <class Sample>
void BindStereoBuses(Steinberg::Vst::ProcessData& data, Steinberg::Vst::AudioBusBuffers& inBus,
                     Steinberg::Vst::AudioBusBuffers& outBus, Sample** in, Sample** out) {
  inBus.numChannels = 2;
  outBus.numChannels = 2;
  if constexpr (sizeof(Sample) == 4) {
    inBus.channelBuffers32 = in;
    outBus.channelBuffers32 = out;
    data.symbolicSampleSize = Steinberg::Vst::kSample32;
  } else {
    inBus.channelBuffers64 = in;
    outBus.channelBuffers64 = out;
    data.symbolicSampleSize = Steinberg::Vst::kSample64;
  }
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;
}

}  // namespace quivorant::test
