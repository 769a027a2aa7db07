#include "tests/effect/TestEffectWrapper.h"

namespace quivorant {

TestEffectWrapper::TestEffectWrapper(const EffectIdentity& identity, HostInstanceInfo host)
    : IEffectBase(identity), host_(host) {}

void TestEffectWrapper::BeginParamEdit(int paramIdx) {
  if (host_) host_->gestures.push_back({TestGesture::kBegin, paramIdx, 0.0});
}

void TestEffectWrapper::ParamEditToHost(int paramIdx, double normalizedValue) {
  if (host_) host_->gestures.push_back({TestGesture::kValue, paramIdx, normalizedValue});
}

void TestEffectWrapper::EndParamEdit(int paramIdx) {
  if (host_) host_->gestures.push_back({TestGesture::kEnd, paramIdx, 0.0});
}

void TestEffectWrapper::ProgramChangeToHost() {
  if (host_) ++host_->programChanges;
}

int TestEffectWrapper::SamplePosition() { return host_ ? host_->samplePosition : 0; }

double TestEffectWrapper::Tempo() { return host_ ? host_->tempo : 0.0; }

void TestEffectWrapper::TimeSignature(int& numerator, int& denominator) {
  numerator = host_ ? host_->numerator : 4;
  denominator = host_ ? host_->denominator : 4;
}

void TestEffectWrapper::ResizeEditor(int, int) {}

bool TestEffectWrapper::SendMidiMessage(const MidiMessage&) { return false; }

bool TestEffectWrapper::SendSysExMessage(const SysExMessage&) { return false; }

}  // namespace quivorant
