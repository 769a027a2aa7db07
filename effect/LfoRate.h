// Tempo-synchronised LFO timing.
//
// "LFO Rate" counts 28 note values in threes: value 3k is the straight note of 2^k sixteenths,
// 3k + 1 the triplet of the next longer straight note (2/3 of 2^(k+1)), 3k + 2 the dotted form
// of note 3k (3/2 of 2^k):
//
//   value  0 "1/16"  1 sixteenth      value 15 "2/1"   32 sixteenths
//   value  1 "1/8T"  4/3 sixteenths   value 27 "32/1"  512 sixteenths
//   value  2 "1/16D" 3/2 sixteenths
//
// The LFO is evaluated on a fixed grid of one hundredth of a sixteenth note whatever the rate.
#pragma once

#include <cstdint>

namespace quivorant {

inline constexpr std::int32_t kLfoRateCount = 28;

// Length of a rate value as a fraction of a whole note, in single precision.
float LfoRateWholeNotes(std::int32_t rate);

struct LfoTiming {
  std::int32_t period = 0;  // samples in one LFO cycle
  std::int32_t step = 0;    // samples between two LFO updates
};

// Longest cycle or grid we schedule. Keeps phase + step and the block's update positions far
// from 32-bit overflow even at absurdly slow tempi or high sample rates.
inline constexpr std::int32_t kLfoMaxSamples = 1 << 30;

// samplesPerWhole: samples in a whole note (4 beats). Without a usable tempo (samplesPerWhole not
// positive or not finite) both fields are 0, which the LFO treats as "hold". With a tempo, both
// are at least 1 and at most kLfoMaxSamples.
LfoTiming ComputeLfoTiming(std::int32_t rate, double samplesPerWhole);

}  // namespace quivorant
