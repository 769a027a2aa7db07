// A hostile host's way of playing audio: block sizes that change every block (0, 1, odd sizes
// up to 8192, more than the announced maximum), and a tempo that jumps between 0, negative,
// 1 and 999 beats per minute every few blocks.
#pragma once

#include <vector>

#include "tests/reliability/HostedEffect.h"

namespace quivorant::test {

struct StereoSignal {
  std::vector<double> left, right;
  std::size_t size() const { return left.size(); }
};

// The tempi the schedule cycles through, in beats per minute.
const std::vector<double>& HostileTempi();

// Runs `input` through `effect` in the hostile schedule; answers the output.
StereoSignal RunHostile(HostedEffect& effect, const StereoSignal& input);

// A full-scale square wave of `frequencyHz`, the right channel in opposite phase.
StereoSignal SquareWave(double frequencyHz, double sampleRate, std::size_t frames);

}  // namespace quivorant::test
