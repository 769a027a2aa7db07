// Throughput of the editor's hot drawing paths on a full editor-sized bitmap (395 x 248), each
// against memcpy of the same bytes measured in the same run, since these machines are shared.
// Prints Google Benchmark's table, then megapixels per second and the ratio to memcpy.
#include "raster/RasterBlit.h"
#include "raster/RasterFill.h"
#include "raster/RasterMemBitmap.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace quivorant {
namespace {

constexpr int kWidth = 395, kHeight = 248;
constexpr int kKnob = 40;

void Randomise(RasterBitmap& b, unsigned seed) {
  std::mt19937 rng(seed);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) b.PixelData()[y * b.RowSpan() + x] = static_cast<RasterPixel>(rng());
  }
}

struct Bitmaps {
  Bitmaps() : src(kWidth, kHeight, 4), dst(kWidth, kHeight, 4), knob(kKnob, kKnob, 4) {
    Randomise(src, 1);
    Randomise(dst, 2);
    Randomise(knob, 3);
  }
  RasterMemBitmap src, dst, knob;
};

Bitmaps& Shared() {
  static Bitmaps bitmaps;
  return bitmaps;
}

void SetPixels(benchmark::State& state, int pixels) {
  state.SetItemsProcessed(state.iterations() * pixels);
  state.SetBytesProcessed(state.iterations() * pixels * 4);
}

void BM_MemcpyEditor(benchmark::State& state) {
  std::vector<RasterPixel> a(kWidth * kHeight, 1), b(kWidth * kHeight, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kWidth * kHeight);
}

void BM_MemcpyKnob(benchmark::State& state) {
  std::vector<RasterPixel> a(kKnob * kKnob, 1), b(kKnob * kKnob, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kKnob * kKnob);
}

void Blit(benchmark::State& state, float alpha, int mode) {
  Bitmaps& m = Shared();
  for (auto _ : state) {
    RasterBlit(&m.dst, &m.src, 0, 0, 0, 0, kWidth, kHeight, alpha, mode);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kWidth * kHeight);
}

void BM_OpaqueCopy(benchmark::State& state) { Blit(state, 1.0f, kRasterCopy); }
void BM_HalfCopy(benchmark::State& state) { Blit(state, 0.5f, kRasterCopy); }
void BM_SourceAlphaBlit(benchmark::State& state) { Blit(state, 1.0f, kRasterCopy | kRasterUseSourceAlpha); }
void BM_SourceAlphaBlit70(benchmark::State& state) { Blit(state, 0.7f, kRasterCopy | kRasterUseSourceAlpha); }

void Fill(benchmark::State& state, float alpha) {
  Bitmaps& m = Shared();
  for (auto _ : state) {
    RasterFillRect(&m.dst, 0, 0, kWidth, kHeight, 0xFF336699u, alpha, kRasterCopy);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kWidth * kHeight);
}

void BM_FillOpaque(benchmark::State& state) { Fill(state, 1.0f); }
void BM_Fill50(benchmark::State& state) { Fill(state, 0.5f); }
void BM_Fill30(benchmark::State& state) { Fill(state, 0.3f); }

void BM_RotatedBilinearKnob(benchmark::State& state) {
  Bitmaps& m = Shared();
  float angle = 0.0f;
  for (auto _ : state) {
    RasterRotatedBlit(&m.dst, &m.knob, 100, 100, kKnob, kKnob, 0, 0, kKnob, kKnob, angle, false, 1.0f,
                      kRasterCopy | kRasterUseSourceAlpha | kRasterBilinear, 0, 0);
    angle += 0.01f;
    benchmark::ClobberMemory();
  }
  SetPixels(state, kKnob * kKnob);
}

BENCHMARK(BM_MemcpyEditor);
BENCHMARK(BM_OpaqueCopy);
BENCHMARK(BM_HalfCopy);
BENCHMARK(BM_SourceAlphaBlit);
BENCHMARK(BM_SourceAlphaBlit70);
BENCHMARK(BM_FillOpaque);
BENCHMARK(BM_Fill50);
BENCHMARK(BM_Fill30);
BENCHMARK(BM_MemcpyKnob);
BENCHMARK(BM_RotatedBilinearKnob);

// Keeps each run's time per iteration so the summary can divide by the matching memcpy.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      seconds_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Summary() const {
    std::printf("\n%-24s %10s %12s\n", "operation", "MP/s", "x memcpy");
    for (const auto& [name, seconds] : seconds_) {
      const bool knob = name.find("Knob") != std::string::npos;
      const auto base = seconds_.find(knob ? "BM_MemcpyKnob" : "BM_MemcpyEditor");
      if (base == seconds_.end() || seconds <= 0.0) continue;
      const double pixels = knob ? kKnob * kKnob : kWidth * kHeight;
      std::printf("%-24s %10.1f %12.2f\n", name.c_str(), pixels / seconds / 1e6, seconds / base->second);
    }
  }

private:
  std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace quivorant

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quivorant::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Summary();
  benchmark::Shutdown();
  return 0;
}
