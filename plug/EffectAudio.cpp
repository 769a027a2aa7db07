// The per-block entry points between the format wrappers and ProcessBlock. The caller holds
// the instance lock; nothing here allocates.
#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "plug/IEffectBase.h"

namespace quivorant {

void IEffectBase::ProcessBuffers(DoublePrecision, int nFrames) {
  if (effectReady_) {
    const int n = routing_.SafeFrames(nFrames);
    ProcessBlock(routing_.InputPointers(), routing_.OutputPointers(), n);
    routing_.ZeroHostOutputTails(n, nFrames);
  }
  routing_.ReleaseHostBuffers();
}

void IEffectBase::RunSingleBlock(int nFrames, bool accumulate, bool passThrough) {
  const int n = routing_.SafeFrames(nFrames);
  if (passThrough) {
    routing_.CopyInputsToOutputs(n);
  } else if (effectReady_) {
    ProcessBlock(routing_.InputPointers(), routing_.OutputPointers(), n);
  }
  routing_.WriteDestinations(n, nFrames, accumulate);
  routing_.ReleaseHostBuffers();
}

void IEffectBase::ProcessBuffers(SinglePrecision, int nFrames) { RunSingleBlock(nFrames, false, false); }

void IEffectBase::ProcessBuffersAccumulating(SinglePrecision, int nFrames) { RunSingleBlock(nFrames, true, false); }

void IEffectBase::PassThrough(DoublePrecision, int nFrames) {
  const int n = routing_.SafeFrames(nFrames);
  routing_.CopyInputsToOutputs(n);
  routing_.ZeroHostOutputTails(n, nFrames);
  routing_.ReleaseHostBuffers();
}

void IEffectBase::PassThrough(SinglePrecision, int nFrames) { RunSingleBlock(nFrames, false, true); }

namespace {

template <typename Sample>
bool AllPresent(Sample* const* buffers, int count) {
  if (count == 0) return true;
  if (buffers == nullptr) return false;
  for (int i = 0; i < count; ++i) {
    if (buffers[i] == nullptr) return false;
  }
  return true;
}

}  // namespace

template <typename Sample>
bool IEffectBase::HostBuffersPresent(Sample* const* inputs, Sample* const* outputs, int nFrames, bool replacing) {
  const int nOut = routing_.ConnectedOutputCount();
  if (!AllPresent(outputs, nOut)) return false;
  if (AllPresent(inputs, routing_.ConnectedInputCount())) return true;
  // Nothing to read from: a replacing host still gets defined output.
  if (replacing) {
    for (int c = 0; c < nOut; ++c) std::fill_n(outputs[c], nFrames, Sample(0));
  }
  return false;
}

template <typename Sample>
void IEffectBase::RunHostPieces(Sample* const* inputs, Sample* const* outputs, int nFrames, bool accumulate) {
  constexpr bool kSingle = std::is_same_v<Sample, float>;
  // Scratch buffers hold one block size: whenever a slot points at one, the block goes in
  // pieces of that size. A double block on host buffers alone goes whole.
  const bool viaScratch = kSingle || routing_.ConnectedInputCount() < InputChannelCount() ||
                          routing_.ConnectedOutputCount() < OutputChannelCount();
  const int piece = viaScratch && BlockSize() > 0 ? BlockSize() : nFrames;
  for (int done = 0; done < nFrames; done += piece) {
    const int frames = std::min(piece, nFrames - done);
    if constexpr (kSingle) {
      routing_.AttachInputs(0, InputChannelCount(), inputs, frames, done);
      routing_.AttachOutputs(0, OutputChannelCount(), outputs, done);
      RunSingleBlock(frames, accumulate, bypassed_);
    } else {
      routing_.AttachInputs(0, InputChannelCount(), inputs, done);
      routing_.AttachOutputs(0, OutputChannelCount(), outputs, done);
      if (bypassed_) {
        PassThrough(kDoublePrecision, frames);
      } else {
        ProcessBuffers(kDoublePrecision, frames);
      }
    }
  }
}

namespace {

// Two host buffers either the same or apart over the block: a frame-by-frame loop that reads a
// frame's inputs before writing its outputs then sees what a copy of the inputs would give.
bool SameOrApart(const float* a, const float* b, int nFrames) {
  const std::uintptr_t x = reinterpret_cast<std::uintptr_t>(a), y = reinterpret_cast<std::uintptr_t>(b);
  const std::uintptr_t bytes = static_cast<std::uintptr_t>(nFrames) * sizeof(float);
  return x == y || x + bytes <= y || y + bytes <= x;
}

}  // namespace

bool IEffectBase::FloatBuffersApart(float* const* inputs, float* const* outputs, int nFrames) {
  const float** last = lastFloatBuffers_;
  if (nFrames == lastFloatFrames_ && inputs[0] == last[0] && inputs[1] == last[1] && outputs[0] == last[2] &&
      outputs[1] == last[3])
    return lastFloatApart_;
  bool apart = SameOrApart(outputs[0], outputs[1], nFrames);
  for (int i = 0; i < 2; ++i) {
    for (int o = 0; o < 2; ++o) apart = apart && SameOrApart(inputs[i], outputs[o], nFrames);
  }
  last[0] = inputs[0];
  last[1] = inputs[1];
  last[2] = outputs[0];
  last[3] = outputs[1];
  lastFloatFrames_ = nFrames;
  lastFloatApart_ = apart;
  return apart;
}

bool IEffectBase::FloatBlockDirect(float* const* inputs, float* const* outputs, int nFrames, OutputMode mode) {
  // The scratch path's own rules stay wherever they decide the result: bypass, an effect not
  // ready yet, no block size, accumulating hosts, and anything but both stereo pairs connected.
  if (floatProcessor_ == nullptr || mode != OutputMode::kReplace || bypassed_ || !effectReady_ || BlockSize() <= 0)
    return false;
  if (InputChannelCount() != 2 || OutputChannelCount() != 2 || routing_.ConnectedInputCount() != 2 ||
      routing_.ConnectedOutputCount() != 2)
    return false;
  if (inputs == nullptr || outputs == nullptr || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return false;
  return FloatBuffersApart(inputs, outputs, nFrames);
}

void IEffectBase::ProcessHostBlock(float* const* inputs, float* const* outputs, int nFrames, OutputMode mode) {
  if (nFrames <= 0) return;
  if (!FloatBlockDirect(inputs, outputs, nFrames, mode)) {
    const bool accumulate = mode == OutputMode::kAccumulate;
    if (HostBuffersPresent(inputs, outputs, nFrames, !accumulate)) RunHostPieces(inputs, outputs, nFrames, accumulate);
    return;
  }
  const int piece = BlockSize();
  for (int done = 0; done < nFrames; done += piece) {
    const float* in[2] = {inputs[0] + done, inputs[1] + done};
    float* out[2] = {outputs[0] + done, outputs[1] + done};
    floatProcessor_->ProcessFloatBlock(in, out, std::min(piece, nFrames - done));
  }
}

void IEffectBase::ProcessHostBlock(double* const* inputs, double* const* outputs, int nFrames) {
  if (nFrames <= 0 || !HostBuffersPresent(inputs, outputs, nFrames, true)) return;
  RunHostPieces(inputs, outputs, nFrames, false);
}

}  // namespace quivorant
