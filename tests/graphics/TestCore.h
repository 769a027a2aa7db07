// A core for the editor tests with nine parameters shaped like the effect's: a three-way list, a
// frequency, percentages, a 4-entry list, a 6-entry list, a 28-entry list, a depth and a
// momentary button.
#pragma once

#include "tests/support/FakeCore.h"

namespace quivorant::test {

class TestCore : public FakeCore {
public:
  TestCore();
};

}  // namespace quivorant::test
