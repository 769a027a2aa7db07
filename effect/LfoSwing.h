// Where the LFO's sweep lies for the quantity it modulates.
//
// The sweep is [offset, offset + range], range = depth x the target's span. It is centred on the
// base value where the target's limits allow and pushed inwards where they do not, so it never
// leaves [20, 20000] Hz, [0.01, 1] bandwidth or [0, 1] mix; full depth sweeps the whole span.
#pragma once

#include <cstdint>

namespace quivorant {

enum LfoTarget : std::int32_t {
  kLfoTargetNone = 0,
  kLfoTargetFrequency = 1,
  kLfoTargetBandwidth = 2,
  kLfoTargetMix = 3,
};
inline constexpr std::int32_t kLfoTargetCount = 4;

struct LfoSwing {
  double range = 0.0;
  double offset = 0.0;
  float displayMinimum = 0.0f;  // the target's limits, for the position display
  float displayMaximum = 0.0f;
};

struct LfoBaseValues {
  std::int32_t frequencyHz = 0;
  float bandwidth = 0.0f;
  float mix = 0.0f;
};

// Returns false (and leaves *out untouched) for kLfoTargetNone or an unknown target.
bool ComputeLfoSwing(std::int32_t target, float depth, const LfoBaseValues& base, LfoSwing* out);

}  // namespace quivorant
