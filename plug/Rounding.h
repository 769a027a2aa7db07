// Turning a double into an int the way the whole product does (parameter values, frequencies,
// LFO periods, pixel positions, frame numbers): halves away from zero, then truncation. Results
// are clamped into the int range and NaN gives 0, so hostile values never overflow a conversion.
#pragma once

#include <climits>
#include <cmath>

namespace quivorant {

inline int TruncateToInt(double v) {
  if (!(v == v)) return 0;  // NaN
  if (v >= double(INT_MAX)) return INT_MAX;
  if (v <= double(INT_MIN)) return INT_MIN;
  return int(v);
}

inline int RoundHalfAway(double v) { return TruncateToInt(v >= 0.0 ? v + 0.5 : v - 0.5); }

inline int FloorToInt(double v) { return TruncateToInt(std::floor(v)); }
inline int CeilToInt(double v) { return TruncateToInt(std::ceil(v)); }

}  // namespace quivorant
