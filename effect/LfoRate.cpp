#include "effect/LfoRate.h"

#include <cmath>

#include "plug/Rounding.h"

namespace quivorant {
namespace {

constexpr float kThird = 0.33333334f;

std::int32_t ClampSamples(std::int32_t samples) {
  if (samples < 1) return 1;
  if (samples > kLfoMaxSamples) return kLfoMaxSamples;
  return samples;
}

}  // namespace

float LfoRateWholeNotes(std::int32_t rate) {
  if (rate < 0) rate = 0;
  if (rate >= kLfoRateCount) rate = kLfoRateCount - 1;
  float sixteenths;
  switch (rate % 3) {
    case 0:
      sixteenths = std::pow(2.0f, static_cast<float>(rate) * kThird);
      break;
    case 1:
      sixteenths = std::pow(2.0f, static_cast<float>(rate + 2) * kThird) * 2.0f * kThird;
      break;
    default:
      sixteenths = std::pow(2.0f, static_cast<float>(rate - 2) * kThird) * 3.0f * 0.5f;
      break;
  }
  return sixteenths * 0.0625f;
}

LfoTiming ComputeLfoTiming(std::int32_t rate, double samplesPerWhole) {
  LfoTiming timing;
  if (!(samplesPerWhole > 0.0) || !std::isfinite(samplesPerWhole)) return timing;
  const double wholes = LfoRateWholeNotes(rate);
  timing.period = ClampSamples(RoundHalfAway(wholes * samplesPerWhole));
  timing.step = ClampSamples(RoundHalfAway(samplesPerWhole * 0.0625 * 0.01));
  return timing;
}

}  // namespace quivorant
