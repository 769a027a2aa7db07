#include "plug/IEffectHeadless.h"

namespace quivorant {

IEffectHeadless::IEffectHeadless(const EffectIdentity& identity, HostInstanceInfo host)
    : IEffectBase(identity), host_(host) {}

void IEffectHeadless::BeginParamEdit(int paramIdx) {
  if (host_) host_->gestures.push_back({HeadlessGesture::kBegin, paramIdx, 0.0});
}

void IEffectHeadless::ParamEditToHost(int paramIdx, double normalizedValue) {
  if (host_) host_->gestures.push_back({HeadlessGesture::kValue, paramIdx, normalizedValue});
}

void IEffectHeadless::EndParamEdit(int paramIdx) {
  if (host_) host_->gestures.push_back({HeadlessGesture::kEnd, paramIdx, 0.0});
}

void IEffectHeadless::ProgramChangeToHost() {
  if (host_) ++host_->programChanges;
}

int IEffectHeadless::SamplePosition() { return host_ ? host_->samplePosition : 0; }

double IEffectHeadless::Tempo() { return host_ ? host_->tempo : 0.0; }

void IEffectHeadless::TimeSignature(int& numerator, int& denominator) {
  numerator = host_ ? host_->numerator : 4;
  denominator = host_ ? host_->denominator : 4;
}

void IEffectHeadless::ResizeEditor(int, int) {}

bool IEffectHeadless::SendMidiMessage(const MidiMessage&) { return false; }

bool IEffectHeadless::SendSysExMessage(const SysExMessage&) { return false; }

}  // namespace quivorant
