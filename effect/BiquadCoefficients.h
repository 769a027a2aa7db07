// Coefficients of the effect's second-order filter.
//
// The analogue prototypes are 1 / (s^2 + q s + 1) (lowpass) and q s / (s^2 + q s + 1) (bandpass),
// with q = bandwidth x 12 the damping term (1/Q), taken through the bilinear transform with
// frequency pre-warping. Highpass shares the lowpass coefficients: its output is the input minus
// the lowpass output. Only b0 depends on the type; a1 and a2 are the shared feedback section.
#pragma once

#include <cstdint>

namespace quivorant {

struct BiquadCoefficients {
  double b0 = 0.0;
  double a1 = 0.0;
  double a2 = 0.0;
};

// The highest frequency the coefficients use, as a fraction of the sample rate. At or above half
// the sample rate the pre-warped tangent turns zero or negative and the recursion blows up, so
// frequencies are limited just below it; everything under the limit is designed exactly.
inline constexpr double kMaxFrequencyFraction = 0.49;
// Guards the tangent against a zero or negative frequency, which would make it divide by zero.
inline constexpr double kMinFrequencyHz = 1.0;

// type: FilterType; bandwidth: 0.01..1; sampleRate in Hz. Returns false, leaving *out untouched,
// when the sample rate is not a positive finite number (before the host has supplied one).
bool DesignBiquad(std::int32_t type, std::int32_t frequencyHz, float bandwidth, double sampleRate,
                  BiquadCoefficients* out);

// DesignBiquad in its steps, for callers that design several filters side by side: a sample rate
// it accepts, the pre-warped angle, its tangent (StableTan), then the coefficients.
bool IsDesignableSampleRate(double sampleRate);
double BiquadAngle(std::int32_t frequencyHz, double sampleRate);
BiquadCoefficients BiquadFromTangent(std::int32_t type, float bandwidth, double tangent);

}  // namespace quivorant
