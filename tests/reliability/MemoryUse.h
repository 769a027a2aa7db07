// How much memory the process uses: the C library's heap bytes in use (mallinfo2, mapped chunks
// included) and the resident set (/proc/self/statm). Under a sanitizer the heap figure is the
// sanitizer's business and reads 0.
#pragma once

#include <cstddef>

namespace quivorant::test {

struct MemoryUse {
  std::size_t heapInUse = 0;
  std::size_t resident = 0;
};

MemoryUse MeasureMemory();

}  // namespace quivorant::test
