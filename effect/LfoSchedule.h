// The LFO's coming updates, worked out before the samples that need them.
//
// One update turns the phase into a value of the target and, for the frequency and bandwidth
// targets, into new filter coefficients: a sine, a tangent and several divisions in a row. Done
// where the update falls, the filter's recursion waits for all of it. What an update reads
// changes only between blocks, so the schedule works out the next few updates side by side
// (the processor overlaps independent ones) and each update then only takes its result, the same
// bits it would have computed. The schedule is keyed by everything an update reads; any change
// (a parameter, the tempo, a phase restart) makes the key differ and the work starts again from
// there. After such a change only two updates are prepared, and the number doubles while the
// key holds, so that a host automating a parameter every block pays for little unused work.
#pragma once

#include <cstdint>

#include "effect/BiquadCoefficients.h"

namespace quivorant {

// Everything one update reads.
struct LfoUpdateInputs {
  std::int32_t target = 0;
  std::int32_t wave = 0;
  std::int32_t phase = 0;
  std::int32_t period = 0;
  std::int32_t step = 0;
  double range = 0.0;
  double offset = 0.0;
  // The filter settings the coefficients are made from; the one the target moves is left out.
  std::int32_t type = 0;
  std::int32_t frequencyHz = 0;
  float bandwidth = 0.0f;
  double sampleRate = 0.0;
};

// What one update writes.
struct LfoUpdateResult {
  double value = 0.0;
  std::int32_t frequencyHz = 0;  // frequency and bandwidth targets: what the filter is made for
  float bandwidth = 0.0f;
  float wet = 0.0f;              // mix target
  float dry = 0.0f;
  bool designed = false;  // coefficients holds the filter for the new frequency or bandwidth
  BiquadCoefficients coefficients;
};

class LfoSchedule {
public:
  // The result of the update for `in` (a running LFO with a target): taken from the schedule
  // when it was prepared for exactly these inputs, else worked out with its successors.
  const LfoUpdateResult& Take(const LfoUpdateInputs& in);

private:
  static constexpr int kMaxLength = 8;

  // Equal in everything but the phase (and the quantity the target moves).
  bool SameSettings(const LfoUpdateInputs& in) const;
  void Prepare(const LfoUpdateInputs& in, int length);

  LfoUpdateInputs key_;  // the inputs the schedule was prepared from
  LfoUpdateResult results_[kMaxLength];
  std::int32_t phases_[kMaxLength] = {};
  std::int32_t continuation_ = 0;  // the phase after the last prepared update
  int length_ = 0;
  int next_ = 0;
};

}  // namespace quivorant
