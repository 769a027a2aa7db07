// The core without a plug-in format: an effect compiled over this base runs with no host at all,
// for the tools that draw its editor and for the effect's own tests and benchmarks. An optional
// HeadlessHost stands in for the host's transport (tempo, position, time signature) and keeps
// the edit gestures and program notifications that a real front end would pass on.
#pragma once

#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant {

struct HeadlessGesture {
  enum Kind { kBegin, kValue, kEnd } kind;
  int paramIdx;
  double normalized;
};

struct HeadlessHost {
  double tempo = 120.0;  // beats per minute; 0 or below: the host has no tempo
  int samplePosition = 0;
  int numerator = 4;
  int denominator = 4;
  std::vector<HeadlessGesture> gestures;
  int programChanges = 0;
};

class IEffectHeadless : public IEffectBase {
public:
  // A null host stands for one that reports no transport at all.
  using HostInstanceInfo = HeadlessHost*;

  IEffectHeadless(const EffectIdentity& identity, HostInstanceInfo host);

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

  HeadlessHost* Host() const { return host_; }

private:
  HeadlessHost* host_;
};

// Defined by the effect compiled over this base.
IEffectHeadless* CreateEffectInstance(IEffectHeadless::HostInstanceInfo info);

}  // namespace quivorant
