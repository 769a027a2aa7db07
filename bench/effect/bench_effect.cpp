// ProcessBlock per stereo frame, against a plain loop doing the same stereo biquad arithmetic
// (bandpass taps and the dry/wet blend, no flush, no LFO, no bookkeeping, nothing kept in memory
// between samples), timed alternately in the same run on the thread's own CPU time so that the
// shared machine's noise hits both alike. The counter "ratio" is the effect's time over the plain
// loop's.
//
// Arguments: sample rate, frames per block, LFO target (0 off, 1 frequency, 2 bandwidth, 3 mix),
// LFO rate: 3 ("1/8", 201 updates a cycle) for the table, 15 ("2/1", 3208 updates, the longest
// cycle) for two extra rows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench/AlternateTiming.h"
#include "bench/BenchNoise.h"
#include "effect/BiquadCoefficients.h"
#include "effect/Quivorant.h"
#include "plug/IEffectHeadless.h"

namespace quivorant {
namespace {

struct PlainState {
  double w1[2] = {0, 0};
  double w2[2] = {0, 0};
};

// The two channels' recursions overlap, each waiting only on itself; coefficients, pointers and
// state stay in registers for the whole block, so the loop runs at the recursion's latency bound.
__attribute__((noinline)) void PlainStereoBiquad(const BiquadCoefficients& c, double wet, double dry, double* const* in,
                                                 double* const* out, int n, PlainState& s) {
  const double b0 = c.b0, a1 = c.a1, a2 = c.a2;
  const double* in0 = in[0];
  const double* in1 = in[1];
  double* out0 = out[0];
  double* out1 = out[1];
  double l1 = s.w1[0], l2 = s.w2[0], r1 = s.w1[1], r2 = s.w2[1];
  for (int i = 0; i < n; ++i) {
    const double x0 = in0[i];
    const double x1 = in1[i];
    const double l0 = x0 * b0 - (a1 * l1 + a2 * l2);
    const double r0 = x1 * b0 - (a1 * r1 + a2 * r2);
    out0[i] = (l0 - l2) * wet + dry * x0;
    out1[i] = (r0 - r2) * wet + dry * x1;
    l2 = l1;
    l1 = l0;
    r2 = r1;
    r1 = r0;
  }
  s.w1[0] = l1;
  s.w2[0] = l2;
  s.w1[1] = r1;
  s.w2[1] = r2;
}

void SetParam(CLS_QUIVORANT& fx, int idx, double v) {
  fx.GetParam(idx)->value = v;
  fx.HandleParamChange(idx);
}

void BM_ProcessBlock(benchmark::State& state) {
  const double rate = static_cast<double>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  const int target = static_cast<int>(state.range(2));
  const int lfoRate = static_cast<int>(state.range(3));

  HeadlessHost host;
  host.tempo = 120.0;
  std::unique_ptr<CLS_QUIVORANT> fx(new CLS_QUIVORANT(&host));
  fx->SetSampleRate(rate);
  fx->NotifyAllParamsChanged();
  fx->ResetEffect();
  SetParam(*fx, kParamFilterType, kFilterBandpass);
  SetParam(*fx, kParamFilterFreq, 2000);
  SetParam(*fx, kParamFilterMix, 80);
  SetParam(*fx, kParamLfoTarget, target);
  SetParam(*fx, kParamLfoRate, lfoRate);

  std::vector<double> inL = BenchNoise(frames, 1), inR = BenchNoise(frames, 2);
  std::vector<double> outL(frames), outR(frames);
  double* ins[2] = {inL.data(), inR.data()};
  double* outs[2] = {outL.data(), outR.data()};
  BiquadCoefficients c;
  DesignBiquad(kFilterBandpass, 2000, 0.2f, rate, &c);
  PlainState plain;

  TimeAlternately(
      state, frames, [&] { fx->ProcessBlock(ins, outs, frames); },
      [&] { PlainStereoBiquad(c, 0.8, 0.2, ins, outs, frames, plain); });
}

void Args(benchmark::internal::Benchmark* b) {
  for (int target = 0; target <= 3; ++target)
    for (int rate : {44100, 96000})
      for (int frames : {32, 256, 4096}) b->Args({rate, frames, target, 3});
  for (int target : {1, 2}) b->Args({44100, 256, target, 15});
  b->ArgNames({"rate", "frames", "target", "lfo_rate"});
  b->UseManualTime();
}

BENCHMARK(BM_ProcessBlock)->Apply(Args);

}  // namespace
}  // namespace quivorant

BENCHMARK_MAIN();
