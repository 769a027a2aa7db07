#include "tests/graphics_win/WinTestCore.h"

namespace quivorant::test {

namespace {

EffectIdentity Identity() {
  EffectIdentity id;
  id.paramCount = kWinTestParams;
  id.channelConfig = "1-1 2-2";
  id.presetCount = 1;
  id.effectName = "quivorant";
  id.makerName = "Tolvane";
  return id;
}

void SetupList(IParamRecord* p, const char* name, int defaultVal, std::initializer_list<const char*> texts) {
  p->SetupEnum(name, defaultVal, int(texts.size()));
  int i = 0;
  for (const char* t : texts) p->AddDisplayText(i++, t);
}

}  // namespace

WinTestCore::WinTestCore() : IEffectBase(Identity()) {
  SetupList(GetParam(kType), "Filter Type", 0, {"Lowpass", "Highpass", "Bandpass"});
  GetParam(kFreq)->SetupInt("Filter Freq", 2000, 20, 20000, "Hz");
  GetParam(kFreq)->SetExponent(2.0);
  SetupList(GetParam(kWave), "LFO Wave", 1, {"Sine", "Triangle", "Saw Up", "Saw Down", "Sine Half 1", "Sine Half 2"});
  SetupList(GetParam(kTarget), "LFO Target", 0, {"No Assign", "Frequency", "Bandwidth", "Mix"});
  GetParam(kDepth)->SetupDouble("LFO Depth", 50.0, 0.0, 100.0, 0.01, "%");
}

int WinTestCore::Count(const char* kind, int param) const {
  int n = 0;
  for (const GestureCall& c : calls) n += (c.kind == kind && c.param == param) ? 1 : 0;
  return n;
}

std::string WinTestCore::Sequence(int param) const {
  std::string out;
  std::string last;
  for (const GestureCall& c : calls) {
    if (c.param != param || (c.kind == "edit" && last == "edit")) continue;
    if (!out.empty()) out += ' ';
    out += c.kind;
    last = c.kind;
  }
  return out;
}

}  // namespace quivorant::test
