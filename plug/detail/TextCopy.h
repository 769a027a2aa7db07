// Bounded copies into the fixed text buffers the core uses everywhere.
#pragma once

#include <cstddef>

namespace quivorant::detail {

// Copies at most capacity - 1 bytes of src (null counts as "") and always terminates.
void CopyText(char* dst, std::size_t capacity, const char* src);

template <std::size_t N>
void CopyText(char (&dst)[N], const char* src) {
  CopyText(dst, N, src);
}

}  // namespace quivorant::detail
