// A small plug-in core for editor tests: nine parameters shaped like the effect's (a three-way
// list, a frequency, percentages, a 4-entry list, a 6-entry list, a 28-entry list, a depth and a
// momentary button), and a log of every gesture call the editor makes, in order.
#pragma once

#include <string>
#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant::test {

class TestCore : public IEffectBase {
public:
  TestCore();
  ~TestCore() override;

  void BeginParamEdit(int paramIdx) override { Log("begin", paramIdx); }
  void WheelEditHook(int paramIdx) override { Log("wheel", paramIdx); }
  void ParamEditToHost(int paramIdx, double) override { Log("edit", paramIdx); }
  void EndParamEdit(int paramIdx) override { Log("end", paramIdx); }
  void ParamHoverHook(int paramIdx) override { Log("hover", paramIdx); }
  void ProgramChangeToHost() override {}
  int SamplePosition() override { return 0; }
  double Tempo() override { return 120.0; }
  void TimeSignature(int& numerator, int& denominator) override { numerator = denominator = 4; }
  int HostCode() override { return hostCode; }
  void ResizeEditor(int width, int height) override { Log("resize", width * 10000 + height); }
  bool SendMidiMessage(const MidiMessage&) override { return false; }
  bool SendSysExMessage(const SysExMessage&) override { return false; }

  // Calls named kind, in order ("begin 1", "end 1", ...).
  std::vector<std::string> calls;
  int hostCode = 0;

  int Count(const std::string& call) const;
  void Clear() { calls.clear(); }

private:
  void Log(const char* kind, int paramIdx) { calls.push_back(std::string(kind) + " " + std::to_string(paramIdx)); }
};

}  // namespace quivorant::test
