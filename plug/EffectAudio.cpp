// The per-block entry points between the format wrappers and ProcessBlock. The caller holds
// the instance lock; nothing here allocates.
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

void IEffectBase::FinishSingleBlock(int processedFrames, int totalFrames, bool accumulate) {
  routing_.WriteDestinations(processedFrames, totalFrames, accumulate);
  routing_.ReleaseHostBuffers();
}

void IEffectBase::RunSingleBlock(int nFrames, bool accumulate) {
  const int n = routing_.SafeFrames(nFrames);
  if (effectReady_) ProcessBlock(routing_.InputPointers(), routing_.OutputPointers(), n);
  FinishSingleBlock(n, nFrames, accumulate);
}

void IEffectBase::ProcessBuffers(SinglePrecision, int nFrames) { RunSingleBlock(nFrames, false); }

void IEffectBase::ProcessBuffersAccumulating(SinglePrecision, int nFrames) { RunSingleBlock(nFrames, true); }

void IEffectBase::PassThrough(DoublePrecision, int nFrames) {
  const int n = routing_.SafeFrames(nFrames);
  routing_.CopyInputsToOutputs(n);
  routing_.ZeroHostOutputTails(n, nFrames);
  routing_.ReleaseHostBuffers();
}

void IEffectBase::PassThrough(SinglePrecision, int nFrames) {
  const int n = routing_.SafeFrames(nFrames);
  routing_.CopyInputsToOutputs(n);
  FinishSingleBlock(n, nFrames, false);
}

}  // namespace quivorant
