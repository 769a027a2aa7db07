// Two threads against one plug-in instance, the way a host uses it: one plays the audio thread,
// the other the user-interface thread, each repeating random steps until the time is up. Run
// under ThreadSanitizer, any access the two share without an ordering is reported.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace quivorant::test {

// Seconds each stress case runs; --seconds=N on the command line changes it (StressMain.cpp).
double StressSeconds();
void SetStressSeconds(double seconds);

struct StressCounts {
  std::int64_t audioSteps = 0;
  std::int64_t uiSteps = 0;
};

// One step of a thread; the generator is the thread's own.
using StressStep = std::function<void(std::mt19937&)>;

// Runs `audio` and `ui` side by side for `seconds`; both start together and each runs at
// least once.
StressCounts RunSideBySide(const StressStep& audio, const StressStep& ui, double seconds);

}  // namespace quivorant::test
