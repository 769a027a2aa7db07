// Timing a subject against its baseline in the same run: spans of each, one after the other, on
// the thread's own CPU time. On these shared machines the wall clock would also count the time
// another process holds the core during a span, and alternating spans lets the remaining noise
// (frequency, the other hardware thread) hit both alike.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

namespace quivorant {

inline double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// subject() and baseline() each process one block of `frames`. Reports the counters
// "ns_per_frame" (the subject), "baseline_ns_per_frame" and "ratio" (subject over baseline); the
// iteration time is the subject's.
template <class Subject, class Baseline>
void TimeAlternately(benchmark::State& state, int frames, Subject subject, Baseline baseline) {
  // Enough frames per span that reading the clock costs next to nothing.
  const int blocksPerSpan = frames >= 16384 ? 1 : 16384 / frames;
  double subjectSeconds = 0.0, baselineSeconds = 0.0;
  for (auto _ : state) {
    const double t0 = ThreadSeconds();
    for (int b = 0; b < blocksPerSpan; ++b) subject();
    const double t1 = ThreadSeconds();
    for (int b = 0; b < blocksPerSpan; ++b) baseline();
    const double t2 = ThreadSeconds();
    benchmark::ClobberMemory();
    subjectSeconds += t1 - t0;
    baselineSeconds += t2 - t1;
    state.SetIterationTime(t1 - t0);
  }
  const double totalFrames = static_cast<double>(state.iterations()) * blocksPerSpan * frames;
  state.counters["ns_per_frame"] = subjectSeconds * 1e9 / totalFrames;
  state.counters["baseline_ns_per_frame"] = baselineSeconds * 1e9 / totalFrames;
  state.counters["ratio"] = subjectSeconds / baselineSeconds;
}

}  // namespace quivorant
