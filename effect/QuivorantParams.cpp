#include "effect/QuivorantParams.h"

#include "effect/LfoRate.h"
#include "effect/LfoSwing.h"
#include "effect/LfoWave.h"
#include "plug/IEffectBase.h"

namespace quivorant {
namespace {

const char* const kFilterTypeTexts[] = {"Lowpass", "Highpass", "Bandpass"};
const char* const kLfoTargetTexts[kLfoTargetCount] = {"No Assign", "Filter Freq", "Filter Bandwidth", "Filter Mix"};
const char* const kLfoWaveTexts[kLfoWaveCount] = {"Sine", "Triangle", "Saw", "Saw Rev", "Sine Half", "Sine Half 2"};
// Ten rates per row.
// clang-format off
const char* const kLfoRateTexts[kLfoRateCount] = {
    "1/16", "1/8T",  "1/16D", "1/8",  "1/4T",  "1/8D", "1/4",  "1/2T",  "1/4D", "1/2",
    "1/1T", "1/2D",  "1/1",   "2/1T", "1/1D",  "2/1",  "4/1T", "2/1D",  "4/1",  "8/1T",
    "4/1D", "8/1",   "16/1T", "8/1D", "16/1",  "32/1T", "16/1D", "32/1"};
// clang-format on
const char* const kLfoResetTexts[] = {"No", "Yes"};

template <int kCount>
void DefineList(IEffectBase& effect, int index, const char* name, int defaultValue,
                const char* const (&texts)[kCount]) {
  IParamRecord* p = effect.GetParam(index);
  if (!p) return;
  p->SetupEnum(name, defaultValue, kCount, "");
  for (int i = 0; i < kCount; ++i) p->AddDisplayText(i, texts[i]);
}

void DefineInt(IEffectBase& effect, int index, const char* name, int defaultValue, int minValue, int maxValue,
               const char* label) {
  IParamRecord* p = effect.GetParam(index);
  if (!p) return;
  p->SetupInt(name, defaultValue, minValue, maxValue, label);
}

}  // namespace

void DefineQuivorantParams(IEffectBase& effect) {
  DefineList(effect, kParamFilterType, "Filter Type", 1, kFilterTypeTexts);
  DefineInt(effect, kParamFilterFreq, "Filter Freq", 20, 20, 20000, "Hz");
  if (IParamRecord* freq = effect.GetParam(kParamFilterFreq)) freq->SetExponent(kFilterFreqExponent);
  DefineInt(effect, kParamFilterBandwidth, "Filter Bandwidth", 20, 1, 100, "%");
  DefineInt(effect, kParamFilterMix, "Filter Mix", 100, 0, 100, "%");
  DefineList(effect, kParamLfoTarget, "LFO Target", 0, kLfoTargetTexts);
  DefineList(effect, kParamLfoWave, "LFO Wave", 0, kLfoWaveTexts);
  DefineList(effect, kParamLfoRate, "LFO Rate", 15, kLfoRateTexts);
  DefineInt(effect, kParamLfoDepth, "LFO Depth", 90, 0, 100, "%");
  DefineList(effect, kParamLfoReset, "LFO Reset", 0, kLfoResetTexts);
}

}  // namespace quivorant
