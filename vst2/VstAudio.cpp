// The audio callbacks and the single-value parameter callbacks. All of them hold the instance
// lock for their whole run and allocate nothing.
//
// Host blocks longer than the scratch buffers (the last block size) are cut into pieces of at
// most the block size; each piece binds the host buffers advanced by its offset. Pieces are
// needed wherever a channel's slot points at scratch: always in single precision, and in double
// precision only while some channel is disconnected.

#include <algorithm>
#include <cmath>

#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

template <typename Sample>
void Offset(Sample* const* host, int count, int offset, std::vector<Sample*>& out) {
  for (int i = 0; i < count; ++i) out[static_cast<std::size_t>(i)] = host[i] + offset;
}

}  // namespace

int IEffectVST::ConnectedInputs() const {
  int n = 0;
  for (int i = 0; i < InputChannelCount(); ++i) n += IsInputConnected(i) ? 1 : 0;
  return n;
}

int IEffectVST::ConnectedOutputs() const {
  int n = 0;
  for (int i = 0; i < OutputChannelCount(); ++i) n += IsOutputConnected(i) ? 1 : 0;
  return n;
}

bool IEffectVST::BuffersPresent(void* const* buffers, int count) {
  if (count == 0) return true;
  if (buffers == nullptr) return false;
  for (int i = 0; i < count; ++i) {
    if (buffers[i] == nullptr) return false;
  }
  return true;
}

void IEffectVST::RequestMidiIfNeeded() {
  if (MidiMode() != 0) CallHost(audioMasterWantMidi);
}

void IEffectVST::ProcessFloat(float** inputs, float** outputs, VstInt32 nFrames, FloatMode mode) {
  InstanceLock::Scope hold(GetLock());
  RequestMidiIfNeeded();
  if (nFrames <= 0) return;
  const int nIn = ConnectedInputs();
  const int nOut = ConnectedOutputs();
  if (!BuffersPresent(reinterpret_cast<void* const*>(outputs), nOut)) return;
  if (!BuffersPresent(reinterpret_cast<void* const*>(inputs), nIn)) {
    // Nothing to read from: a replacing host still gets defined output.
    if (mode == FloatMode::kReplacing) {
      for (int i = 0; i < nOut; ++i) std::fill(outputs[i], outputs[i] + nFrames, 0.0f);
    }
    return;
  }
  const int piece = BlockSize() > 0 ? BlockSize() : nFrames;
  for (int done = 0; done < nFrames; done += piece) {
    const int frames = std::min(piece, nFrames - done);
    Offset(inputs, nIn, done, floatInputs_);
    Offset(outputs, nOut, done, floatOutputs_);
    AttachInputs(0, InputChannelCount(), floatInputs_.data(), frames);
    AttachOutputs(0, OutputChannelCount(), floatOutputs_.data());
    if (mode == FloatMode::kReplacing) {
      ProcessBuffers(kSinglePrecision, frames);
    } else {
      ProcessBuffersAccumulating(kSinglePrecision, frames);
    }
  }
}

void IEffectVST::ProcessReplacing(float** inputs, float** outputs, VstInt32 nFrames) {
  ProcessFloat(inputs, outputs, nFrames, FloatMode::kReplacing);
}

void IEffectVST::ProcessAccumulating(float** inputs, float** outputs, VstInt32 nFrames) {
  ProcessFloat(inputs, outputs, nFrames, FloatMode::kAccumulating);
}

void IEffectVST::ProcessDoubleReplacing(double** inputs, double** outputs, VstInt32 nFrames) {
  InstanceLock::Scope hold(GetLock());
  RequestMidiIfNeeded();
  if (nFrames <= 0) return;
  const int nIn = ConnectedInputs();
  const int nOut = ConnectedOutputs();
  if (!BuffersPresent(reinterpret_cast<void* const*>(outputs), nOut)) return;
  if (!BuffersPresent(reinterpret_cast<void* const*>(inputs), nIn)) return;
  const bool allHostBuffers = nIn == InputChannelCount() && nOut == OutputChannelCount();
  const int piece = (allHostBuffers || BlockSize() <= 0) ? nFrames : BlockSize();
  for (int done = 0; done < nFrames; done += piece) {
    const int frames = std::min(piece, nFrames - done);
    Offset(inputs, nIn, done, doubleInputs_);
    Offset(outputs, nOut, done, doubleOutputs_);
    AttachInputs(0, InputChannelCount(), doubleInputs_.data());
    AttachOutputs(0, OutputChannelCount(), doubleOutputs_.data());
    ProcessBuffers(kDoublePrecision, frames);
  }
}

float IEffectVST::GetParameter(VstInt32 index) {
  InstanceLock::Scope hold(GetLock());
  const IParamRecord* param = GetParam(index);
  return param != nullptr ? static_cast<float>(param->NormalizedValue()) : 0.0f;
}

void IEffectVST::SetParameter(VstInt32 index, float value) {
  InstanceLock::Scope hold(GetLock());
  IParamRecord* param = GetParam(index);
  // Normalised values live in 0..1; a host sending anything else (or NaN) must not push a
  // parameter outside its range.
  if (param == nullptr || std::isnan(value)) return;
  const double normalized = std::clamp(static_cast<double>(value), 0.0, 1.0);
  if (Editor() != nullptr) Editor()->SetControlsFromParam(index, normalized, true);
  param->SetFromNormalized(normalized);
  ParamChangedLocked(index);
}

}  // namespace quivorant
