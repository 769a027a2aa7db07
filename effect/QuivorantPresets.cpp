#include "effect/QuivorantPresets.h"

#include "plug/IEffectBase.h"

namespace quivorant {
namespace {

// One preset per row, one column per parameter.
// clang-format off
//                                   Type  Freq   Bw   Mix  Target Wave Rate Depth Reset
const FactoryPreset kPresets[kFactoryPresetCount] = {
    {"1 oct bandwidth",             {2,   2000,  12,  100,  0,     0,   15,  90,   0}},
    {"1x2 oct bandwidth",           {2,   2000,  25,  100,  0,     0,   15,  90,   0}},
    {"2x2 oct bandwidth",           {2,   2000,  50,  100,  0,     0,   15,  90,   0}},
    {"3x2 oct bandwidth",           {2,   2000,  100, 100,  0,     0,   15,  90,   0}},
    {"High Frequencies",            {1,   8000,  40,  100,  0,     0,   15,  90,   0}},
    {"High Phaser",                 {2,   8000,  20,  100,  1,     0,   3,   40,   0}},
    {"Low Frequencies",             {0,   3000,  40,  100,  0,     0,   15,  90,   0}},
    {"Middle Frequencies",          {2,   2000,  30,  100,  0,     0,   15,  90,   0}},
    {"Oscillating Filter",          {2,   3000,  5,   100,  3,     1,   9,   100,  0}},
    {"Oscillating Freq",            {1,   8000,  50,  100,  1,     1,   12,  60,   0}},
    {"Phaser",                      {2,   6000,  20,  80,   1,     0,   3,   50,   0}},
    {"Vibrato",                     {2,   6000,  20,  80,   3,     0,   0,   60,   0}},
};
// clang-format on

}  // namespace

const FactoryPreset* FactoryPresets() { return kPresets; }

void FillQuivorantPresets(IEffectBase& effect) {
  effect.NameFreePresets(kDefaultPresetName, 1);
  for (const FactoryPreset& p : kPresets) {
    const std::int32_t* v = p.values;
    effect.CapturePreset(p.name, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  }
}

}  // namespace quivorant
