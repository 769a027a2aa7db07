// How loud the effect may get: the bound every output sample must respect for input samples of
// magnitude at most 1.
//
// The biquad's peak gain (its resonance, set by the bandwidth) bounds a steady sine only. A
// full-scale square wave carries 4/pi of its amplitude in its fundamental and a step at every
// edge, which a highpass turns into an overshoot towards twice the amplitude. The bound that
// holds for every input is the sum of the magnitudes of the impulse response (its L1 norm),
// computed here from the biquad's own coefficients at the preset's bandwidth and every frequency
// the LFO can reach; the blend then gives wet x that + dry, maximised over the mixes the LFO
// can reach.
//
// That bound is exact for a filter that stands still. An LFO that moves the frequency (or the
// bandwidth) steps the coefficients every update while the state still holds what the previous
// ones left; the state's share of the output then carries the relative size of the step. The
// filter's part of the bound is therefore raised by the largest relative step the LFO takes
// between two updates at the host's tempi (a gain change of the mix needs no such allowance:
// each sample is still a blend of a bounded filter output and the input).
#pragma once

#include <cstdint>
#include <vector>

namespace quivorant::test {

// Sum of |h[n]| for the filter of `type` at `frequencyHz` and `bandwidth` (0.01..1).
double ImpulseResponseL1(std::int32_t type, std::int32_t frequencyHz, float bandwidth, double sampleRate);

// The largest relative change of the swept frequency or bandwidth between two LFO updates, at
// any of the tempi (beats per minute; those without an LFO grid are skipped); 0 when the LFO
// does not move the filter.
double LfoStepAllowance(const std::int32_t* values, double sampleRate, const std::vector<double>& tempi);

// The bound for the parameter values `values` (one per parameter, in index order, as integers)
// at `sampleRate`, over the whole sweep of the LFO's target at the given tempi.
double OutputBound(const std::int32_t* values, double sampleRate, const std::vector<double>& tempi);

}  // namespace quivorant::test
