// Deterministic noise for renders: the same samples on every machine and in every lane.
#pragma once

#include <cstdint>
#include <vector>

namespace quivorant::test {

// Values in [-1, 1) from a 32-bit linear congruential generator.
inline std::vector<double> TestNoise(int frames, std::uint32_t seed) {
  std::vector<double> v(frames);
  for (double& x : v) {
    seed = seed * 1664525u + 1013904223u;
    x = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
  }
  return v;
}

}  // namespace quivorant::test
