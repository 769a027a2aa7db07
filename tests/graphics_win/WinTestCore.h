// A small plug-in core for the window tests: five parameters shaped like the effect's (a 3-entry
// list, a frequency, a 6-entry list, a 4-entry list and a depth) and a log of every gesture call
// the editor makes, in order, with the value of each edit.
#pragma once

#include <string>
#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant::test {

enum WinTestParam : int { kType = 0, kFreq = 1, kWave = 2, kTarget = 3, kDepth = 4, kWinTestParams = 5 };

struct GestureCall {
  std::string kind;  // "begin", "edit", "end", "wheel"
  int param;
  double value;      // normalised value of an edit, else 0
};

class WinTestCore : public IEffectBase {
public:
  WinTestCore();

  void BeginParamEdit(int paramIdx) override { Log("begin", paramIdx); }
  void WheelEditHook(int paramIdx) override { Log("wheel", paramIdx); }
  void ParamEditToHost(int paramIdx, double value) override { Log("edit", paramIdx, value); }
  void EndParamEdit(int paramIdx) override { Log("end", paramIdx); }
  void ProgramChangeToHost() override {}
  int SamplePosition() override { return 0; }
  double Tempo() override { return 120.0; }
  void TimeSignature(int& numerator, int& denominator) override { numerator = denominator = 4; }
  void ResizeEditor(int, int) override { ++resizes; }
  bool SendMidiMessage(const MidiMessage&) override { return false; }
  bool SendSysExMessage(const SysExMessage&) override { return false; }

  std::vector<GestureCall> calls;
  int resizes = 0;

  int Count(const char* kind, int param) const;
  // The kinds of the calls for one parameter, in order, with repeated edits folded into one:
  // "begin edit end" (a double begin or end stays visible).
  std::string Sequence(int param) const;
  double Plain(int param) { return GetParam(param)->value; }

private:
  void Log(const char* kind, int paramIdx, double value = 0.0) { calls.push_back({kind, paramIdx, value}); }
};

}  // namespace quivorant::test
