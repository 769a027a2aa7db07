// Each front end's 32-bit path through the built plug-in (VST3 process, VST2 processReplacing;
// float in and out, stereo, default settings, 44.1 kHz, 120 BPM) against the effect's own
// ProcessBlock on the same audio with the same settings, timed alternately in the same run on the
// thread's own CPU time so that the shared machine's noise hits both alike. The counter "ratio"
// is the front end's time over ProcessBlock's.
//
// Arguments: frames per block, format (3 VST3, 2 VST2).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/AlternateTiming.h"
#include "bench/BenchNoise.h"
#include "bench/frontends/PluginDrivers.h"
#include "effect/Quivorant.h"
#include "plug/IEffectHeadless.h"

namespace quivorant {
namespace {

template <class Driver>
void Compare(benchmark::State& state, const char* path, int frames) {
  std::vector<double> in[2], out[2];
  std::vector<float> floatIn[2], floatOut[2];
  for (int c = 0; c < 2; ++c) {
    const std::vector<double> noise = BenchNoise(frames, static_cast<unsigned>(c + 1));
    floatIn[c].assign(noise.begin(), noise.end());
    in[c].assign(floatIn[c].begin(), floatIn[c].end());
    floatOut[c].resize(frames);
    out[c].resize(frames);
  }
  float* floatIns[2] = {floatIn[0].data(), floatIn[1].data()};
  float* floatOuts[2] = {floatOut[0].data(), floatOut[1].data()};
  double* ins[2] = {in[0].data(), in[1].data()};
  double* outs[2] = {out[0].data(), out[1].data()};

  Driver front(path, frames, floatIns, floatOuts);
  if (!front.Ready()) {
    state.SkipWithError("the built plug-in could not be loaded");
    return;
  }
  HeadlessHost host;
  host.tempo = kDriverTempo;
  std::unique_ptr<CLS_QUIVORANT> fx(new CLS_QUIVORANT(&host));
  fx->SetSampleRate(kDriverRate);
  fx->NotifyAllParamsChanged();
  fx->ResetEffect();

  TimeAlternately(
      state, frames, [&] { front.Process(); }, [&] { fx->ProcessBlock(ins, outs, frames); });
}

void BM_FrontEnd32(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  if (state.range(1) == 3)
    Compare<Vst3Driver>(state, QUIVORANT_VST3_MODULE_PATH, frames);
  else
    Compare<Vst2Driver>(state, QUIVORANT_VST2_LIBRARY, frames);
}

void Args(benchmark::internal::Benchmark* b) {
  for (int format : {3, 2})
    for (int frames : {32, 256, 4096}) b->Args({frames, format});
  b->ArgNames({"frames", "format"});
  b->UseManualTime();
}

BENCHMARK(BM_FrontEnd32)->Apply(Args);

}  // namespace
}  // namespace quivorant

BENCHMARK_MAIN();
