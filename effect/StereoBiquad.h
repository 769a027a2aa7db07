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
// Speed: the recursion is latency-bound (each w0 waits for the previous one through a multiply,
// an add and a subtract), so nothing else may sit on that chain. The fast loop runs both
// channels in one SSE2 register pair, lane for lane the same operations in the same order, and
// takes the state flush off the chain: while every state value is one the flush would leave as
// it is, the flush is skipped, and a value that would need it (or a non-finite one) ends the fast
// stretch at the frame that made it, so that the next frame runs the plain per-channel step.
// Every sample and state value is bit for bit what the plain step gives.
//
// Host samples in single precision are widened and narrowed inside the same loop (exactly, as a
// conversion pass before and after would), and a flushed input is not written back into the
// host's buffer: no separate conversion passes, no scratch buffers.
//
// What moves at which rate: samples per sample; coefficients and gains between runs (on a
// parameter change) or at a change the run was given (an LFO update); the type is fixed for a
// run, so its choice is made once.
#pragma once

#include <emmintrin.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

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

  // After a run the newest value is also w1.
  BiquadState State(int channel) const { return BiquadState{w1_[channel], w1_[channel], w2_[channel]}; }
  // Both channels back to silence.
  void ClearState() {
    Keep(BiquadState(), BiquadState());
    settled_ = true;
  }

  // Filters samples [begin, end) of both channels, channel 0 before channel 1 at each index (the
  // order matters when a host hands the same buffer twice). Flushed inputs are written back.
  void Run(std::int32_t type, double* const* inputs, double* const* outputs, std::int32_t begin, std::int32_t end) {
    Run(type, inputs, outputs, begin, end, kNoChange, NoChange);
  }

  // The same on single-precision buffers. Each frame reads both inputs before it writes either
  // output, so a buffer that is both an input and an output (wholly, not shifted) is fine.
  void Run(std::int32_t type, const float* const* inputs, float* const* outputs, std::int32_t begin, std::int32_t end) {
    Run(type, inputs, outputs, begin, end, kNoChange, NoChange);
  }

  // Either of the above with changes between frames: just before frame `change`, change() sets
  // new coefficients or gains and returns the frame of the next change (one not in the run is
  // never made). The loop goes on across a change with the state where it was, in registers: a
  // sweeping LFO's updates cost no restart of the run.
  template <class Change>
  void Run(std::int32_t type, double* const* inputs, double* const* outputs, std::int32_t begin, std::int32_t end,
           std::int64_t change, Change&& onChange) {
    WithType(type, [&](auto kind) { RunTyped<decltype(kind)::value>(inputs, outputs, begin, end, change, onChange); });
  }

  template <class Change>
  void Run(std::int32_t type, const float* const* inputs, float* const* outputs, std::int32_t begin, std::int32_t end,
           std::int64_t change, Change&& onChange) {
    FloatFrames io{inputs[0], inputs[1], outputs[0], outputs[1]};
    WithType(type, [&](auto kind) { RunFast<decltype(kind)::value>(io, begin, end, change, onChange); });
  }

private:
  static constexpr std::int64_t kNoChange = -1;
  static std::int64_t NoChange() { return kNoChange; }

  template <std::int32_t kType>
  using TypeTag = std::integral_constant<std::int32_t, kType>;

  // Calls run(TypeTag<type>) once, so that the per-sample loop is compiled per type. Inlined, so
  // that a block pays one call into the loop, not two.
  template <class Run>
  [[gnu::always_inline]] static void WithType(std::int32_t type, Run run) {
    switch (type) {
      case kFilterHighpass:
        run(TypeTag<kFilterHighpass>());
        break;
      case kFilterBandpass:
        run(TypeTag<kFilterBandpass>());
        break;
      default:
        run(TypeTag<kFilterLowpass>());
        break;
    }
  }

  // Both channels' samples at one index, for the fast loop: Load gives them as one pair,
  // Flushed hears which lanes the input flush zeroed, Store writes the outputs.
  struct DoubleFrames {
    double* in0;
    double* in1;
    double* out0;
    double* out1;
    __m128d Load(std::int32_t i) const { return _mm_loadh_pd(_mm_load_sd(in0 + i), in1 + i); }
    void Flushed(std::int32_t i, int keptLanes) const {
      if (!(keptLanes & 1)) in0[i] = 0.0;
      if (!(keptLanes & 2)) in1[i] = 0.0;
    }
    void Store(std::int32_t i, __m128d y) const {
      _mm_store_sd(out0 + i, y);
      _mm_storeh_pd(out1 + i, y);
    }
  };

  struct FloatFrames {
    const float* in0;
    const float* in1;
    float* out0;
    float* out1;
    __m128d Load(std::int32_t i) const {
      return _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(in0 + i), _mm_load_ss(in1 + i)));
    }
    // The host's input buffer is left as the host wrote it.
    void Flushed(std::int32_t, int) const {}
    void Store(std::int32_t i, __m128d y) const {
      const __m128 narrow = _mm_cvtpd_ps(y);
      _mm_store_ss(out0 + i, narrow);
      _mm_store_ss(out1 + i, _mm_shuffle_ps(narrow, narrow, _MM_SHUFFLE(1, 1, 1, 1)));
    }
  };

  template <std::int32_t kType>
  static double Tap(double x, const BiquadState& s) {
    if (kType == kFilterLowpass) return ((s.w1 + s.w0) + s.w1) + s.w2;
    if (kType == kFilterHighpass) return (((x - s.w0) - s.w1) - s.w1) - s.w2;
    return s.w0 - s.w2;
  }

  // The same taps on both channels at once.
  template <std::int32_t kType>
  static __m128d Tap(__m128d x, __m128d w0, __m128d w1, __m128d w2) {
    if (kType == kFilterLowpass) return _mm_add_pd(_mm_add_pd(_mm_add_pd(w1, w0), w1), w2);
    if (kType == kFilterHighpass) return _mm_sub_pd(_mm_sub_pd(_mm_sub_pd(_mm_sub_pd(x, w0), w1), w1), w2);
    return _mm_sub_pd(w0, w2);
  }

  // One sample of one channel, every rule applied in turn: the reference the fast loop matches.
  // The input sample is flushed in place.
  template <std::int32_t kType>
  double Step(double& x, BiquadState& s) const {
    if (!(std::fabs(x) >= kFlushThreshold)) x = 0.0;
    s.w1 = FlushTiny(s.w1);
    s.w2 = FlushTiny(s.w2);
    const BiquadCoefficients& c = coefficients_;
    s.w0 = x * c.b0 - (c.a1 * s.w1 + c.a2 * s.w2);
    const double y = Tap<kType>(x, s) * wet_ + dry_ * x;
    if (!IsFinite(s.w0)) s = BiquadState();
    return y;
  }

  static void Shift(BiquadState& s) {
    s.w2 = s.w1;
    s.w1 = s.w0;
  }

  // One frame through Step, channel 1 reading its input only after channel 0 wrote its output.
  template <std::int32_t kType>
  void StepStrict(double* const* inputs, double* const* outputs, std::int32_t i, BiquadState& s0,
                  BiquadState& s1) const {
    double x0 = inputs[0][i];
    const double y0 = Step<kType>(x0, s0);
    inputs[0][i] = x0;
    outputs[0][i] = y0;
    double x1 = inputs[1][i];
    const double y1 = Step<kType>(x1, s1);
    inputs[1][i] = x1;
    outputs[1][i] = y1;
    Shift(s0);
    Shift(s1);
  }

  // The frame's two inputs, the tiny and NaN ones zeroed (and reported to io). Zeroing through
  // the mask gives +0, as the flush does.
  template <class Frames>
  static __m128d LoadFlushed(const Frames& io, std::int32_t i) {
    __m128d x = io.Load(i);
    const __m128d size = _mm_and_pd(x, _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF)));
    const __m128d kept = _mm_cmpge_pd(size, _mm_set1_pd(kFlushThreshold));
    const int keptLanes = _mm_movemask_pd(kept);
    if (keptLanes != 3) {
      x = _mm_and_pd(x, kept);
      io.Flushed(i, keptLanes);
    }
    return x;
  }

  // One frame through Step for both channels, read before either is written.
  template <std::int32_t kType, class Frames>
  void StepBoth(const Frames& io, std::int32_t i, BiquadState& s0, BiquadState& s1) const {
    const __m128d x = LoadFlushed(io, i);
    double x0 = _mm_cvtsd_f64(x);
    double x1 = _mm_cvtsd_f64(_mm_unpackhi_pd(x, x));
    const double y0 = Step<kType>(x0, s0);
    const double y1 = Step<kType>(x1, s1);
    io.Store(i, _mm_set_pd(y1, y0));
    Shift(s0);
    Shift(s1);
  }

  // True when the flush would leave both lanes exactly as they are and both are finite: each is
  // +0 or between 1e-24 and the largest double in size. Compared bitwise, so -0 (which the flush
  // turns into +0) does not pass.
  static bool Settled(__m128d w) {
    const __m128d size = _mm_and_pd(w, _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF)));
    const __m128d clamped =
        _mm_min_pd(_mm_max_pd(size, _mm_set1_pd(kFlushThreshold)), _mm_set1_pd(std::numeric_limits<double>::max()));
    const __m128d kept = _mm_and_pd(w, _mm_cmpeq_pd(clamped, size));
    return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_castpd_si128(kept), _mm_castpd_si128(w)))) == 0xF;
  }

  // True when both lanes are finite and at least 1e-24 in size: Settled, found in fewer
  // operations; +0 (digital silence) needs the full check.
  static bool InRange(__m128d w) {
    const __m128d size = _mm_and_pd(w, _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF)));
    const __m128d inside = _mm_and_pd(_mm_cmple_pd(_mm_set1_pd(kFlushThreshold), size),
                                      _mm_cmple_pd(size, _mm_set1_pd(std::numeric_limits<double>::max())));
    return _mm_movemask_pd(inside) == 3;
  }

  template <std::int32_t kType, class Change>
  void RunTyped(double* const* inputs, double* const* outputs, std::int32_t begin, std::int32_t end,
                std::int64_t change, Change& onChange) {
    if (begin >= end) return;
    // Channel 1 reading what channel 0 has just written (a host handing one buffer as both) needs
    // the channels strictly one after the other.
    if (inputs[1] + begin < outputs[0] + end && outputs[0] + begin < inputs[1] + end) {
      BiquadState s0 = State(0);
      BiquadState s1 = State(1);
      for (std::int32_t i = begin; i < end; ++i) {
        if (i == change) change = onChange();
        StepStrict<kType>(inputs, outputs, i, s0, s1);
      }
      Keep(s0, s1);
      settled_ = false;  // not known: the next run checks
      return;
    }
    RunFast<kType>(DoubleFrames{inputs[0], inputs[1], outputs[0], outputs[1]}, begin, end, change, onChange);
  }

  // The coefficients and gains in both lanes, as the fast loop uses them.
  struct Broadcast {
    __m128d b0, a1, a2, wet, dry;
  };
  Broadcast Broadcasts() const {
    return {_mm_set1_pd(coefficients_.b0), _mm_set1_pd(coefficients_.a1), _mm_set1_pd(coefficients_.a2),
            _mm_set1_pd(wet_), _mm_set1_pd(dry_)};
  }

  // One frame of the fast loop, w1 and w2 shifted on. False when the new w0 is one the flush
  // would change (left for the next frame's per-channel step) or not finite (its channel is then
  // cleared: w1 and w2 after the shift).
  template <std::int32_t kType, class Frames>
  [[gnu::always_inline]] static bool FastFrame(const Frames& io, std::int32_t i, const Broadcast& c, __m128d& w1,
                                               __m128d& w2) {
    const __m128d x = LoadFlushed(io, i);
    const __m128d w0 = _mm_sub_pd(_mm_mul_pd(x, c.b0), _mm_add_pd(_mm_mul_pd(c.a1, w1), _mm_mul_pd(c.a2, w2)));
    io.Store(i, _mm_add_pd(_mm_mul_pd(Tap<kType>(x, w0, w1, w2), c.wet), _mm_mul_pd(c.dry, x)));
    w2 = w1;
    w1 = w0;
    if (InRange(w0) || Settled(w0)) return true;
    const __m128d size = _mm_and_pd(w0, _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF)));
    const __m128d finite = _mm_cmple_pd(size, _mm_set1_pd(std::numeric_limits<double>::max()));
    w1 = _mm_and_pd(w1, finite);
    w2 = _mm_and_pd(w2, finite);
    return false;
  }

  template <std::int32_t kType, class Frames, class Change>
  void RunFast(const Frames& io, std::int32_t begin, std::int32_t end, std::int64_t change, Change& onChange) {
    if (begin >= end) return;
    BiquadState s0, s1;  // for the per-channel step
    Broadcast c = Broadcasts();
    __m128d w1 = _mm_load_pd(w1_);
    __m128d w2 = _mm_load_pd(w2_);
    std::int32_t i = begin;
    // The state a run ends on is settled when the fast loop ran to the end; the next run then
    // starts on the fast loop without checking.
    bool settled = settled_;
    while (i < end) {
      if (i == change) {
        change = onChange();
        c = Broadcasts();
      }
      const std::int32_t stop = change > i && change < end ? static_cast<std::int32_t>(change) : end;
      if (!settled && (!Settled(w1) || !Settled(w2))) {
        _mm_storel_pd(&s0.w1, w1);
        _mm_storeh_pd(&s1.w1, w1);
        _mm_storel_pd(&s0.w2, w2);
        _mm_storeh_pd(&s1.w2, w2);
        StepBoth<kType>(io, i, s0, s1);
        w1 = _mm_set_pd(s1.w1, s0.w1);
        w2 = _mm_set_pd(s1.w2, s0.w2);
        ++i;
        continue;
      }
      // Here the flush of w1 and w2 would change nothing.
      settled = true;
      for (; i < stop; ++i) {
        if (!FastFrame<kType>(io, i, c, w1, w2)) {
          ++i;
          settled = false;
          break;
        }
      }
    }
    _mm_store_pd(w1_, w1);
    _mm_store_pd(w2_, w2);
    settled_ = settled;
  }

  void Keep(const BiquadState& s0, const BiquadState& s1) {
    w1_[0] = s0.w1;
    w1_[1] = s1.w1;
    w2_[0] = s0.w2;
    w2_[1] = s1.w2;
  }

  BiquadCoefficients coefficients_;
  // The state between runs, channel 0 in the low lane and channel 1 in the high one: the fast
  // loop's registers as they are, so that the next run's loads take them straight from these
  // stores.
  alignas(16) double w1_[kChannels] = {0.0, 0.0};
  alignas(16) double w2_[kChannels] = {0.0, 0.0};
  double wet_ = 0.0;
  double dry_ = 0.0;
  bool settled_ = true;  // both channels' w1 and w2 are known to be Settled
};

}  // namespace quivorant
