#include "tests/reliability/ResonanceBound.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "effect/BiquadCoefficients.h"
#include "effect/FilterType.h"
#include "effect/LfoRate.h"
#include "effect/LfoSwing.h"
#include "effect/LfoWave.h"
#include "effect/QuivorantParams.h"

namespace quivorant::test {
namespace {

// Points of the LFO's sweep at which the filter is evaluated, ends included.
constexpr int kSweepPoints = 96;

std::vector<double> SweepOf(double low, double high) {
  std::vector<double> points;
  for (int i = 0; i <= kSweepPoints; ++i) points.push_back(low + (high - low) * i / kSweepPoints);
  return points;
}

quivorant::LfoBaseValues BaseValuesOf(const std::int32_t* values) {
  quivorant::LfoBaseValues base;
  base.frequencyHz = values[quivorant::kParamFilterFreq];
  base.bandwidth = static_cast<float>(values[quivorant::kParamFilterBandwidth]) * 0.01f;
  base.mix = static_cast<float>(values[quivorant::kParamFilterMix]) * 0.01f;
  return base;
}

}  // namespace

double ImpulseResponseL1(std::int32_t type, std::int32_t frequencyHz, float bandwidth, double sampleRate) {
  quivorant::BiquadCoefficients c;
  if (!quivorant::DesignBiquad(type, frequencyHz, bandwidth, sampleRate, &c)) return 0.0;
  double w1 = 0.0, w2 = 0.0, sum = 0.0;
  // The response decays geometrically; stop once what is left in the state cannot matter.
  for (long n = 0; n < (1L << 24); ++n) {
    const double x = n == 0 ? 1.0 : 0.0;
    const double w0 = x * c.b0 - (c.a1 * w1 + c.a2 * w2);
    double y;
    if (type == quivorant::kFilterBandpass)
      y = w0 - w2;
    else if (type == quivorant::kFilterHighpass)
      y = x - w0 - 2.0 * w1 - w2;
    else
      y = w0 + 2.0 * w1 + w2;
    sum += std::fabs(y);
    w2 = w1;
    w1 = w0;
    if (n > 16 && std::fabs(w1) + std::fabs(w2) < 1e-16 * sum) break;
  }
  return sum;
}

double LfoStepAllowance(const std::int32_t* values, double sampleRate, const std::vector<double>& tempi) {
  using namespace quivorant;
  const std::int32_t target = values[kParamLfoTarget];
  if (target != kLfoTargetFrequency && target != kLfoTargetBandwidth) return 0.0;
  LfoSwing swing;
  if (!ComputeLfoSwing(target, static_cast<float>(values[kParamLfoDepth]) * 0.01f, BaseValuesOf(values), &swing))
    return 0.0;
  double largest = 0.0;
  for (double tempo : tempi) {
    if (!(tempo > 0.0)) continue;
    const LfoTiming timing = ComputeLfoTiming(values[kParamLfoRate], sampleRate * 60.0 / tempo * 4.0);
    if (timing.period <= 0 || timing.step <= 0) continue;
    const std::int32_t wave = values[kParamLfoWave];
    for (std::int32_t phase = 0; phase < timing.period; phase += timing.step) {
      const std::int32_t next = phase + timing.step < timing.period ? phase + timing.step : 0;
      const double a = LfoWaveValue(wave, phase, timing.period, swing.range, swing.offset);
      const double b = LfoWaveValue(wave, next, timing.period, swing.range, swing.offset);
      largest = std::max(largest, std::fabs(b - a) / std::min(a, b));
    }
  }
  return largest;
}

double OutputBound(const std::int32_t* values, double sampleRate, const std::vector<double>& tempi) {
  using namespace quivorant;
  const std::int32_t type = values[kParamFilterType];
  const std::int32_t target = values[kParamLfoTarget];
  const LfoBaseValues base = BaseValuesOf(values);
  const float depth = static_cast<float>(values[kParamLfoDepth]) * 0.01f;

  std::vector<double> frequencies{static_cast<double>(base.frequencyHz)};
  std::vector<double> bandwidths{base.bandwidth};
  std::vector<double> wets{base.mix};
  LfoSwing swing;
  if (ComputeLfoSwing(target, depth, base, &swing)) {
    const std::vector<double> sweep = SweepOf(swing.offset, swing.offset + swing.range);
    if (target == kLfoTargetFrequency) frequencies = sweep;
    if (target == kLfoTargetBandwidth) bandwidths = sweep;
    if (target == kLfoTargetMix) wets = {sweep.front(), sweep.back()};
  }
  double filterL1 = 0.0;
  for (double f : frequencies)
    for (double b : bandwidths)
      filterL1 = std::max(filterL1, ImpulseResponseL1(type, static_cast<std::int32_t>(std::lround(f)),
                                                      static_cast<float>(b), sampleRate));
  filterL1 *= 1.0 + LfoStepAllowance(values, sampleRate, tempi);
  double bound = 0.0;
  for (double wet : wets) {
    const double w = static_cast<float>(wet);
    bound = std::max(bound, w * filterL1 + (1.0 - w));
  }
  return bound;
}

}  // namespace quivorant::test
