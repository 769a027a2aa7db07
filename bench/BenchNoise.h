// White noise in [-1, 1) for the benchmarks: the same samples on every run.
#pragma once

#include <random>
#include <vector>

namespace quivorant {

inline std::vector<double> BenchNoise(int frames, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> sample(-1.0, 1.0);
  std::vector<double> noise(static_cast<std::size_t>(frames));
  for (double& x : noise) x = sample(generator);
  return noise;
}

}  // namespace quivorant
