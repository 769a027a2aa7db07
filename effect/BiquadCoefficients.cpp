#include "effect/BiquadCoefficients.h"

#include <cmath>

#include "effect/FilterType.h"
#include "effect/StableMath.h"

namespace quivorant {

bool IsDesignableSampleRate(double sampleRate) { return sampleRate > 0.0 && std::isfinite(sampleRate); }

double BiquadAngle(std::int32_t frequencyHz, double sampleRate) {
  double frequency = frequencyHz;
  const double highest = sampleRate * kMaxFrequencyFraction;
  if (frequency > highest) frequency = highest;
  if (frequency < kMinFrequencyHz) frequency = kMinFrequencyHz;
  return frequency * 3.14159265358979323846 / sampleRate;
}

BiquadCoefficients BiquadFromTangent(std::int32_t type, float bandwidth, double tangent) {
  const float qSingle = bandwidth * 12.0f;
  const double q = qSingle;
  const double c = 1.0 / tangent;
  const double norm = 1.0 / ((q + c) * c + 1.0);
  BiquadCoefficients out;
  out.b0 = type == kFilterBandpass ? q * c * norm : norm;
  out.a1 = (1.0 - c * c) * 2.0 * norm;
  out.a2 = ((c - q) * c + 1.0) * norm;
  return out;
}

bool DesignBiquad(std::int32_t type, std::int32_t frequencyHz, float bandwidth, double sampleRate,
                  BiquadCoefficients* out) {
  if (!IsDesignableSampleRate(sampleRate)) return false;
  *out = BiquadFromTangent(type, bandwidth, StableTan(BiquadAngle(frequencyHz, sampleRate)));
  return true;
}

}  // namespace quivorant
