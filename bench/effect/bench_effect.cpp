// ProcessBlock per stereo frame, against a plain loop doing the same stereo biquad arithmetic
// (bandpass taps and the dry/wet blend, no flush, no LFO, no bookkeeping), timed alternately in
// the same run so that the shared machine's noise hits both alike. The counter "ratio" is the
// effect's time over the plain loop's.
//
// Arguments: sample rate, frames per block, LFO target (0 off, 1 frequency, 2 bandwidth, 3 mix).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "effect/BiquadCoefficients.h"
#include "effect/Quivorant.h"
#include "plug/IEffectHeadless.h"
#include "tests/effect/TestNoise.h"

namespace quivorant {
namespace {

struct PlainState {
  double w1[2] = {0, 0};
  double w2[2] = {0, 0};
};

__attribute__((noinline)) void PlainStereoBiquad(const BiquadCoefficients& c, double wet, double dry,
                                                 double* const* in, double* const* out, int n,
                                                 PlainState& s) {
  for (int i = 0; i < n; ++i) {
    for (int ch = 0; ch < 2; ++ch) {
      const double x = in[ch][i];
      const double w0 = x * c.b0 - (c.a1 * s.w1[ch] + c.a2 * s.w2[ch]);
      out[ch][i] = (w0 - s.w2[ch]) * wet + dry * x;
      s.w2[ch] = s.w1[ch];
      s.w1[ch] = w0;
    }
  }
}

void SetParam(CLS_QUIVORANT& fx, int idx, double v) {
  fx.GetParam(idx)->value = v;
  fx.HandleParamChange(idx);
}

void BM_ProcessBlock(benchmark::State& state) {
  const double rate = static_cast<double>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  const int target = static_cast<int>(state.range(2));

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
  SetParam(*fx, kParamLfoRate, 3);

  std::vector<double> inL = TestNoise(frames, 1), inR = TestNoise(frames, 2);
  std::vector<double> outL(frames), outR(frames);
  double* ins[2] = {inL.data(), inR.data()};
  double* outs[2] = {outL.data(), outR.data()};
  BiquadCoefficients c;
  DesignBiquad(kFilterBandpass, 2000, 0.2f, rate, &c);
  PlainState plain;

  // Enough blocks per timed span that the clock's own cost does not matter.
  const int blocksPerSpan = frames >= 4096 ? 1 : 4096 / frames;
  using Clock = std::chrono::steady_clock;
  double effectSeconds = 0.0, plainSeconds = 0.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int b = 0; b < blocksPerSpan; ++b) fx->ProcessBlock(ins, outs, frames);
    const auto t1 = Clock::now();
    for (int b = 0; b < blocksPerSpan; ++b) PlainStereoBiquad(c, 0.8, 0.2, ins, outs, frames, plain);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(outL.data());
    benchmark::ClobberMemory();
    const double e = std::chrono::duration<double>(t1 - t0).count();
    effectSeconds += e;
    plainSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(e);
  }
  const double totalFrames = static_cast<double>(state.iterations()) * blocksPerSpan * frames;
  state.counters["ns_per_frame"] = effectSeconds * 1e9 / totalFrames;
  state.counters["plain_ns_per_frame"] = plainSeconds * 1e9 / totalFrames;
  state.counters["ratio"] = effectSeconds / plainSeconds;
}

void Args(benchmark::internal::Benchmark* b) {
  for (int target = 0; target <= 3; ++target)
    for (int rate : {44100, 96000})
      for (int frames : {32, 256, 4096}) b->Args({rate, frames, target});
  b->ArgNames({"rate", "frames", "target"});
  b->UseManualTime();
}

BENCHMARK(BM_ProcessBlock)->Apply(Args);

}  // namespace
}  // namespace quivorant

BENCHMARK_MAIN();
