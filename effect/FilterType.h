// The three responses of the effect's filter, numbered as the "Filter Type" parameter counts them.
#pragma once

#include <cstdint>

namespace quivorant {

enum FilterType : std::int32_t {
  kFilterLowpass = 0,
  kFilterHighpass = 1,
  kFilterBandpass = 2,
};

}  // namespace quivorant
