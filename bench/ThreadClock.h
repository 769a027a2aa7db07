// The calling thread's own CPU time, for timing the benchmarks' spans. On these shared machines
// the wall clock would also count the time another process holds the core during a span.
#pragma once

#include <time.h>

namespace quivorant {

inline double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Blocks per timed span: enough frames that reading the clock costs next to nothing.
inline int BlocksPerSpan(int frames) { return frames >= 16384 ? 1 : 16384 / frames; }

}  // namespace quivorant
