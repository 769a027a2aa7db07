#include "tests/graphics/TestCore.h"

namespace quivorant::test {

namespace {

// The maker's link control builds its address from these names.
EffectIdentity EffectLikeIdentity() {
  EffectIdentity id = MakeIdentity(9);
  id.effectName = "quivorant";
  id.makerName = "Tolvane";
  return id;
}

const char* const kRates[28] = {"1/16", "1/16t", "1/16d", "1/8",  "1/8t", "1/8d",  "1/4",  "1/4t", "1/4d", "1/2",
                                "1/2t", "1/2d",  "1/1",   "1/1t", "1/1d", "2/1",   "2/1t", "2/1d", "4/1",  "4/1t",
                                "4/1d", "8/1",   "8/1t",  "8/1d", "16/1", "16/1d", "32/1", "32/1d"};

}  // namespace

TestCore::TestCore() : FakeCore(EffectLikeIdentity()) {
  GetParam(0)->SetupEnum("Filter Type", 0, 3);
  GetParam(0)->AddDisplayText(0, "Lowpass");
  GetParam(0)->AddDisplayText(1, "Highpass");
  GetParam(0)->AddDisplayText(2, "Bandpass");
  GetParam(1)->SetupInt("Filter Freq", 2000, 20, 20000, "Hz");
  GetParam(1)->SetExponent(2.0);
  GetParam(2)->SetupInt("Filter Bandwidth", 50, 1, 100, "%");
  GetParam(3)->SetupInt("Filter Mix", 100, 0, 100, "%");
  GetParam(4)->SetupEnum("LFO Target", 0, 4);
  const char* targets[4] = {"No Assign", "Frequency", "Bandwidth", "Mix"};
  for (int i = 0; i < 4; ++i) GetParam(4)->AddDisplayText(i, targets[i]);
  GetParam(5)->SetupEnum("LFO Wave", 0, 6);
  const char* waves[6] = {"Sine", "Triangle", "Saw Up", "Saw Down", "Sine Half 1", "Sine Half 2"};
  for (int i = 0; i < 6; ++i) GetParam(5)->AddDisplayText(i, waves[i]);
  GetParam(6)->SetupEnum("LFO Rate", 9, 28);
  for (int i = 0; i < 28; ++i) GetParam(6)->AddDisplayText(i, kRates[i]);
  GetParam(7)->SetupDouble("LFO Depth", 50.0, 0.0, 100.0, 0.01, "%");
  GetParam(8)->SetupInt("LFO Reset", 0, 0, 1);
}

}  // namespace quivorant::test
