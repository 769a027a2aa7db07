// The effect's nine parameters: indices, and the definitions the constructor makes through the
// core. Every parameter steps by 1 and the audio path reads it as an integer.
#pragma once

#include <cstdint>

namespace quivorant {

class IEffectBase;

enum QuivorantParam : std::int32_t {
  kParamFilterType = 0,
  kParamFilterFreq = 1,
  kParamFilterBandwidth = 2,
  kParamFilterMix = 3,
  kParamLfoTarget = 4,
  kParamLfoWave = 5,
  kParamLfoRate = 6,
  kParamLfoDepth = 7,
  kParamLfoReset = 8,
};
inline constexpr int kQuivorantParamCount = 9;

// "Filter Freq" is normalised with this exponent so that the low octaves get most of a knob.
inline constexpr double kFilterFreqExponent = 2.0;

// Defines parameters 0..8 in index order on a core constructed with kQuivorantParamCount
// records, each list parameter followed by its display texts in value order.
void DefineQuivorantParams(IEffectBase& effect);

}  // namespace quivorant
