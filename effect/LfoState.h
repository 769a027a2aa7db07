// Everything the LFO keeps between updates and blocks.
#pragma once

#include <cstdint>

#include "effect/LfoSwing.h"

namespace quivorant {

struct LfoState {
  std::int32_t target = kLfoTargetNone;
  std::int32_t wave = 0;
  float depth = 0.0f;            // 0..1
  double samplesPerWhole = 0.0;  // 4 beats at the host's tempo; 0 without a tempo
  std::int32_t period = 0;       // samples per cycle; 0 while there is no tempo
  std::int32_t step = 0;         // samples between updates; 0 while there is no tempo
  std::int32_t phase = 0;        // 0 <= phase < period after every update
  std::int32_t nextUpdate = 0;   // sample index of the next update within the current block
  double range = 0.0;            // width of the sweep in target units
  double offset = 0.0;           // bottom of the sweep
  std::int32_t resetLatch = 0;   // "LFO Reset" acts on its rising edge only
  bool hasValue = false;         // an update has produced a value since construction
  double value = 0.0;            // the latest value

  // Without a tempo there is no grid: the LFO holds its last value (or the base value).
  bool Running() const { return period > 0 && step > 0; }
};

}  // namespace quivorant
