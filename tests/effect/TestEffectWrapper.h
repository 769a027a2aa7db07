// A format wrapper for the effect's own tests: it answers the host-facing slots of the core from
// a TestHost that the test controls (tempo, position, time signature) and records the edit
// gestures and program notifications that a real front end would pass to its host.
#pragma once

#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant {

struct TestGesture {
  enum Kind { kBegin, kValue, kEnd } kind;
  int paramIdx;
  double normalized;
};

struct TestHost {
  double tempo = 120.0;  // beats per minute; 0 or below: the host has no tempo
  int samplePosition = 0;
  int numerator = 4;
  int denominator = 4;
  std::vector<TestGesture> gestures;
  int programChanges = 0;
};

class TestEffectWrapper : public IEffectBase {
public:
  // A null host stands for one that reports no transport at all.
  using HostInstanceInfo = TestHost*;

  TestEffectWrapper(const EffectIdentity& identity, HostInstanceInfo host);

  void BeginParamEdit(int paramIdx) override;
  void ParamEditToHost(int paramIdx, double normalizedValue) override;
  void EndParamEdit(int paramIdx) override;
  void ProgramChangeToHost() override;
  int SamplePosition() override;
  double Tempo() override;
  void TimeSignature(int& numerator, int& denominator) override;
  void ResizeEditor(int width, int height) override;
  bool SendMidiMessage(const MidiMessage& msg) override;
  bool SendSysExMessage(const SysExMessage& msg) override;

  TestHost* Host() const { return host_; }

private:
  TestHost* host_;
};

TestEffectWrapper* CreateEffectInstance(TestEffectWrapper::HostInstanceInfo info);

}  // namespace quivorant
