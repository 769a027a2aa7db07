// The six LFO shapes, each a raw curve between 0 and 1 scaled to [offset, offset + range]:
//
//   0 Sine         starts at the bottom, peaks at half the cycle
//   1 Triangle     rises over the first half, falls over the second
//   2 Saw          rises over two thirds, falls over the last third
//   3 Saw Rev      rises over the first third, falls over two thirds
//   4 Sine Half    half-sine hump from the bottom up and back
//   5 Sine Half 2  the inverted hump, from the top down and back
//
// The integer products of the phase are formed in 64 bits: identical to 32-bit arithmetic for
// every cycle that fits, and defined for the very long ones.
#pragma once

#include <cstdint>

namespace quivorant {

enum LfoWaveShape : std::int32_t {
  kWaveSine = 0,
  kWaveTriangle = 1,
  kWaveSaw = 2,
  kWaveSawRev = 3,
  kWaveSineHalf = 4,
  kWaveSineHalf2 = 5,
};
inline constexpr std::int32_t kLfoWaveCount = 6;

// phase in [0, period), period >= 1. An unknown shape stays at the offset.
double LfoWaveValue(std::int32_t wave, std::int32_t phase, std::int32_t period, double range, double offset);

}  // namespace quivorant
