// The two channels of the effect's filter, run sample by sample in double precision.
//
// Direct form II: w0 = x b0 - (a1 w1 + a2 w2); the output taps of the shared state pick the
// response (lowpass w0 + 2 w1 + w2, highpass x minus that, bandpass w0 - w2), then the dry/wet
// blend y wet + dry x. Inputs and state below 1e-24 (and NaN) are flushed to 0, the input sample
// also in the caller's buffer, which keeps denormals out of the recursion without touching the
// floating-point mode. A new state value that is not finite (only an infinite or absurdly large
// input sample makes one) clears the channel's state instead of entering it: the output is
// non-finite at that sample, but the recursion starts again from silence rather than ringing
// with it for the rest of the session. The state survives every change of type, frequency,
// bandwidth or mix; only the effect's reset clears it.
//
// What moves at which rate: samples per sample; coefficients and gains only between runs (on a
// parameter change or an LFO update); the type is fixed for a run, so its choice is made once.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "effect/BiquadCoefficients.h"
#include "effect/FilterType.h"

namespace quivorant {

struct BiquadState {
  double w0 = 0.0;  // newest
  double w1 = 0.0;
  double w2 = 0.0;
};

inline constexpr double kFlushThreshold = 1e-24;

inline double FlushTiny(double v) { return std::fabs(v) >= kFlushThreshold ? v : 0.0; }

// False for NaN and infinities.
inline bool IsFinite(double v) { return std::fabs(v) <= std::numeric_limits<double>::max(); }

class StereoBiquad {
public:
  static constexpr int kChannels = 2;

  void SetCoefficients(const BiquadCoefficients& c) { coefficients_ = c; }
  const BiquadCoefficients& Coefficients() const { return coefficients_; }

  // Gains arrive in single precision and are widened once here.
  void SetGains(float wet, float dry) {
    wet_ = wet;
    dry_ = dry;
  }
  double Wet() const { return wet_; }
  double Dry() const { return dry_; }

  const BiquadState& State(int channel) const { return state_[channel]; }
  void SetState(int channel, const BiquadState& s) { state_[channel] = s; }
  // Both channels back to silence.
  void ClearState() {
    for (BiquadState& s : state_) s = BiquadState();
  }

  // Filters samples [begin, end) of both channels, channel 0 before channel 1 at each index (the
  // order matters when a host hands the same buffer twice). Flushed inputs are written back.
  void Run(std::int32_t type, double* const* inputs, double* const* outputs, std::int32_t begin,
           std::int32_t end) {
    switch (type) {
      case kFilterLowpass: RunTyped<kFilterLowpass>(inputs, outputs, begin, end); break;
      case kFilterHighpass: RunTyped<kFilterHighpass>(inputs, outputs, begin, end); break;
      case kFilterBandpass: RunTyped<kFilterBandpass>(inputs, outputs, begin, end); break;
      default: RunTyped<kFilterLowpass>(inputs, outputs, begin, end); break;
    }
  }

private:
  template <std::int32_t kType>
  static double Tap(double x, const BiquadState& s) {
    if (kType == kFilterLowpass) return ((s.w1 + s.w0) + s.w1) + s.w2;
    if (kType == kFilterHighpass) return (((x - s.w0) - s.w1) - s.w1) - s.w2;
    return s.w0 - s.w2;
  }

  template <std::int32_t kType>
  static double Step(double* in, BiquadState& s, double b0, double a1, double a2, double wet,
                     double dry) {
    double x = *in;
    if (!(std::fabs(x) >= kFlushThreshold)) {
      x = 0.0;
      *in = 0.0;
    }
    s.w1 = FlushTiny(s.w1);
    s.w2 = FlushTiny(s.w2);
    s.w0 = x * b0 - (a1 * s.w1 + a2 * s.w2);
    const double y = Tap<kType>(x, s) * wet + dry * x;
    if (!IsFinite(s.w0)) s = BiquadState();
    return y;
  }

  template <std::int32_t kType>
  void RunTyped(double* const* inputs, double* const* outputs, std::int32_t begin,
                std::int32_t end) {
    const double b0 = coefficients_.b0;
    const double a1 = coefficients_.a1;
    const double a2 = coefficients_.a2;
    const double wet = wet_;
    const double dry = dry_;
    double* in0 = inputs[0];
    double* in1 = inputs[1];
    double* out0 = outputs[0];
    double* out1 = outputs[1];
    BiquadState s0 = state_[0];
    BiquadState s1 = state_[1];
    for (std::int32_t i = begin; i < end; ++i) {
      out0[i] = Step<kType>(in0 + i, s0, b0, a1, a2, wet, dry);
      out1[i] = Step<kType>(in1 + i, s1, b0, a1, a2, wet, dry);
      s0.w2 = s0.w1;
      s0.w1 = s0.w0;
      s1.w2 = s1.w1;
      s1.w1 = s1.w0;
    }
    state_[0] = s0;
    state_[1] = s1;
  }

  BiquadCoefficients coefficients_;
  BiquadState state_[kChannels];
  double wet_ = 0.0;
  double dry_ = 0.0;
};

}  // namespace quivorant
