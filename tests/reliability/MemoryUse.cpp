#include "tests/reliability/MemoryUse.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

namespace quivorant::test {

MemoryUse MeasureMemory() {
  MemoryUse use;
  const struct mallinfo2 info = mallinfo2();
  use.heapInUse = info.uordblks + info.hblkhd;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    unsigned long size = 0, resident = 0;
    if (std::fscanf(statm, "%lu %lu", &size, &resident) == 2)
      use.resident = resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::fclose(statm);
  }
  return use;
}

}  // namespace quivorant::test
