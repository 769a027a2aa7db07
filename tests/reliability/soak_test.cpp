// A thousand instances in one process, through each format the way its hosts do it: create,
// initialise, set up, select a preset, process, save, restore, process again and destroy. The
// memory in use after the first ten and after all of them must be the same but for a small
// allowance; anything an instance leaves behind adds up a thousand times.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/reliability/HostileRun.h"
#include "tests/reliability/MemoryUse.h"

namespace {

using quivorant::test::Format;

constexpr int kInstances = 1000;
constexpr int kWarmUp = 10;
// Process-wide caches fill during the first instances; afterwards the heap may move by no more
// than this (under 70 bytes per instance), the resident set by a few pages of fragmentation.
constexpr std::size_t kHeapAllowance = 64 * 1024;
constexpr std::size_t kResidentAllowance = 4 * 1024 * 1024;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kUnderSanitizer = true;  // the sanitizer owns the heap and finds leaks itself
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kUnderSanitizer = true;
#else
constexpr bool kUnderSanitizer = false;
#endif
#else
constexpr bool kUnderSanitizer = false;
#endif

void OneLife(Format format, int n, const quivorant::test::StereoSignal& input) {
  auto effect = quivorant::test::MakeHostedEffect(format);
  ASSERT_TRUE(effect->Ok()) << "instance " << n;
  effect->SetUp(48000.0, 512, n % 2 == 0);
  effect->SelectPreset(1 + n % 12);
  quivorant::test::RunHostile(*effect, input);
  const std::vector<unsigned char> state = effect->SaveState();
  ASSERT_FALSE(state.empty()) << "instance " << n;
  ASSERT_TRUE(effect->RestoreState(state)) << "instance " << n;
  quivorant::test::RunHostile(*effect, input);
}

double Kib(std::size_t bytes) { return static_cast<double>(bytes) / 1024.0; }

class Soak : public testing::TestWithParam<Format> {};

TEST_P(Soak, AThousandInstancesLeaveNothingBehind) {
  const quivorant::test::StereoSignal input = quivorant::test::SquareWave(440.0, 48000.0, 2048);
  quivorant::test::MemoryUse warm;
  for (int n = 0; n < kInstances; ++n) {
    OneLife(GetParam(), n, input);
    if (HasFatalFailure()) return;
    if (n + 1 == kWarmUp) warm = quivorant::test::MeasureMemory();
  }
  const quivorant::test::MemoryUse end = quivorant::test::MeasureMemory();
  const long long heapGrowth = static_cast<long long>(end.heapInUse) - static_cast<long long>(warm.heapInUse);
  const long long residentGrowth = static_cast<long long>(end.resident) - static_cast<long long>(warm.resident);
  std::printf(
      "%s soak: heap in use %.1f KiB after %d, %.1f KiB after %d (%+lld bytes); "
      "resident %.1f KiB -> %.1f KiB (%+lld bytes)\n",
      quivorant::test::FormatName(GetParam()), Kib(warm.heapInUse), kWarmUp, Kib(end.heapInUse), kInstances, heapGrowth,
      Kib(warm.resident), Kib(end.resident), residentGrowth);
  if (kUnderSanitizer) GTEST_SKIP() << "heap figures belong to the sanitizer, which checks leaks at exit";
  EXPECT_LE(heapGrowth, static_cast<long long>(kHeapAllowance));
  EXPECT_LE(residentGrowth, static_cast<long long>(kResidentAllowance));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Soak, testing::Values(Format::kVst3, Format::kVst2),
                         [](const testing::TestParamInfo<Format>& info) {
                           return std::string(quivorant::test::FormatName(info.param));
                         });

}  // namespace
