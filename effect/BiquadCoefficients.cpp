#include "effect/BiquadCoefficients.h"

#include <cmath>

#include "effect/FilterType.h"
#include "effect/StableMath.h"

namespace quivorant {

bool DesignBiquad(std::int32_t type, std::int32_t frequencyHz, float bandwidth, double sampleRate,
                  BiquadCoefficients* out) {
  if (!(sampleRate > 0.0) || !std::isfinite(sampleRate)) return false;
  const float qSingle = bandwidth * 12.0f;
  const double q = qSingle;

  double frequency = frequencyHz;
  const double highest = sampleRate * kMaxFrequencyFraction;
  if (frequency > highest) frequency = highest;
  if (frequency < kMinFrequencyHz) frequency = kMinFrequencyHz;

  const double theta = frequency * 3.14159265358979323846 / sampleRate;
  const double c = 1.0 / StableTan(theta);
  const double norm = 1.0 / ((q + c) * c + 1.0);
  out->b0 = type == kFilterBandpass ? q * c * norm : norm;
  out->a1 = (1.0 - c * c) * 2.0 * norm;
  out->a2 = ((c - q) * c + 1.0) * norm;
  return true;
}

}  // namespace quivorant
