#include "tests/reliability/StressLoop.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace quivorant::test {
namespace {

double gSeconds = 2.0;

}  // namespace

double StressSeconds() { return gSeconds; }
void SetStressSeconds(double seconds) { gSeconds = seconds; }

StressCounts RunSideBySide(const StressStep& audio, const StressStep& ui, double seconds) {
  std::atomic<int> started{0};
  std::atomic<bool> stop{false};
  StressCounts counts;
  auto loop = [&](const StressStep& step, std::uint32_t seed, std::int64_t* steps) {
    std::mt19937 rng(seed);
    started.fetch_add(1);
    while (started.load() < 2) std::this_thread::yield();
    do {
      step(rng);
      ++*steps;
    } while (!stop.load(std::memory_order_relaxed));
  };
  std::thread audioThread(loop, std::cref(audio), 1u, &counts.audioSteps);
  std::thread uiThread(loop, std::cref(ui), 2u, &counts.uiSteps);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (started.load() < 2) std::this_thread::yield();
  std::this_thread::sleep_until(end);
  stop.store(true);
  audioThread.join();
  uiThread.join();
  return counts;
}

}  // namespace quivorant::test
