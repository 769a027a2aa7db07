// The audio callbacks and the single-value parameter callbacks. All of them hold the instance
// lock for their whole run and allocate nothing; the core validates, cuts and binds the block.
#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

void IEffectVST::RequestMidiIfNeeded() {
  if (MidiMode() != 0) CallHost(audioMasterWantMidi);
}

void IEffectVST::ProcessReplacing(float** inputs, float** outputs, VstInt32 nFrames) {
  InstanceLock::Scope hold(GetLock());
  RequestMidiIfNeeded();
  ProcessHostBlock(inputs, outputs, nFrames, OutputMode::kReplace);
}

void IEffectVST::ProcessAccumulating(float** inputs, float** outputs, VstInt32 nFrames) {
  InstanceLock::Scope hold(GetLock());
  RequestMidiIfNeeded();
  ProcessHostBlock(inputs, outputs, nFrames, OutputMode::kAccumulate);
}

void IEffectVST::ProcessDoubleReplacing(double** inputs, double** outputs, VstInt32 nFrames) {
  InstanceLock::Scope hold(GetLock());
  RequestMidiIfNeeded();
  ProcessHostBlock(inputs, outputs, nFrames);
}

float IEffectVST::GetParameter(VstInt32 index) {
  InstanceLock::Scope hold(GetLock());
  const IParamRecord* param = GetParam(index);
  return param != nullptr ? static_cast<float>(param->NormalizedValue()) : 0.0f;
}

void IEffectVST::SetParameter(VstInt32 index, float value) {
  InstanceLock::Scope hold(GetLock());
  SetParamFromHost(index, static_cast<double>(value), HostWrite::kUserThread);
}

}  // namespace quivorant
