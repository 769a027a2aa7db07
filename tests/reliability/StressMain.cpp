// gtest main for the stress tests: --seconds=N sets how long each case runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/reliability/StressLoop.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--seconds=", 10) == 0) {
      const double seconds = std::atof(argv[i] + 10);
      if (seconds > 0.0) quivorant::test::SetStressSeconds(seconds);
    }
  }
  return RUN_ALL_TESTS();
}
