// The LFO's updates, worked out before the samples that need them and kept for the next cycle.
//
// One update turns the phase into a value of the target and, for the frequency and bandwidth
// targets, into new filter coefficients: a sine, a tangent and several divisions in a row. Done
// where the update falls, the filter's recursion waits for all of it. What an update reads
// changes only between blocks, so the schedule works out the next few updates side by side (the
// processor overlaps independent ones) and each update then only takes its result, the same bits
// it would have computed. And an LFO repeats: the phase restarts at exactly 0, so every cycle
// has the same updates. Results are kept by their number in the cycle, so a cycle of up to
// kCycleCapacity updates is computed once: every rate in the list, the longest ("2/1", about
// 3200 updates on the grid of a hundredth of a sixteenth; 3208 at 44.1 kHz and 120 BPM, where the
// step rounds down to 55 samples) included, for 256 KiB per instance. A longer cycle (a step
// rounded well down) reuses the slots and is computed as it goes.
//
// The schedule is keyed by everything an update reads; any change (a parameter, the tempo, the
// sample rate) invalidates it. After a change only two updates are prepared at once, and the
// number doubles while the key holds, so that a host automating a parameter every block pays
// for little unused work.
#pragma once

#include <cstdint>
#include <vector>

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
  float wet = 0.0f;  // mix target
  float dry = 0.0f;
  bool designed = false;  // coefficients holds the filter for the new frequency or bandwidth
  BiquadCoefficients coefficients;
};

class LfoSchedule {
public:
  LfoSchedule();

  // The result of the update for `in` (a running LFO with a target: period and step above 0).
  const LfoUpdateResult& Take(const LfoUpdateInputs& in);

private:
  static constexpr int kMaxBatch = 8;
  static constexpr std::int32_t kCycleCapacity = 4096;

  struct Entry {
    LfoUpdateResult result;
    std::int32_t phase = -1;
    std::uint32_t generation = 0;
  };

  // Equal in everything but the phase (and the quantity the target moves).
  bool SameSettings(const LfoUpdateInputs& in) const;
  // The slot of the update with this number in the cycle (its phase over the step): the number
  // modulo the capacity.
  Entry& Slot(std::int32_t number);
  // Works out the update at in.phase (number `number`) and up to count - 1 after it, up to the
  // cycle's end.
  void Prepare(const LfoUpdateInputs& in, std::int32_t number, int count);

  LfoUpdateInputs key_;  // the settings the kept results belong to
  std::vector<Entry> entries_;
  std::uint32_t generation_ = 1;
  int batch_ = 2;
  std::int32_t takenPhase_ = -1;  // the phase of the last update taken, and its number
  std::int32_t takenNumber_ = -1;
};

}  // namespace quivorant
