// Turning a double into a 32-bit integer the way the whole effect does: halves away from zero.
// Out-of-range values saturate and NaN gives 0, so no conversion is ever undefined.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quivorant {

inline std::int32_t RoundHalfAwayFromZero(double v) {
  if (std::isnan(v)) return 0;
  const double shifted = v >= 0.0 ? v + 0.5 : v - 0.5;
  if (shifted >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (shifted <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(shifted);
}

}  // namespace quivorant
