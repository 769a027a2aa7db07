#include "effect/LfoWave.h"

#include "effect/StableMath.h"

namespace quivorant {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double LfoWaveValue(std::int32_t wave, std::int32_t phase, std::int32_t period, double range, double offset) {
  const std::int64_t p = phase;
  const std::int64_t n = period;
  const double pd = static_cast<double>(phase);
  const double nd = static_cast<double>(period);
  switch (wave) {
    case kWaveSine:
      return (StableSin((pd * 2.0 / nd + 1.5) * kPi) + 1.0) * range * 0.5 + offset;
    case kWaveTriangle:
      if (static_cast<float>(phase) > static_cast<float>(period) * 0.5f)
        return static_cast<double>(2 * (n - p)) * range / nd + offset;
      return static_cast<double>(2 * p) * range / nd + offset;
    case kWaveSaw:
      if (pd > nd * 2.0 * 0.3333333333333333) return static_cast<double>(3 * (n - p)) * range / nd + offset;
      return static_cast<double>((3 * p) / 2) * range / nd + offset;
    case kWaveSawRev:
      if (static_cast<float>(phase) > static_cast<float>(period) * 0.33333334f)
        return static_cast<double>((3 * (n - p)) / 2) * range / nd + offset;
      return static_cast<double>(3 * p) * range / nd + offset;
    case kWaveSineHalf:
      return StableSin(pd * kPi / nd) * range + offset;
    case kWaveSineHalf2:
      return (1.0 - StableSin(pd * kPi / nd)) * range + offset;
    default:
      return offset;
  }
}

}  // namespace quivorant
