#include "plug/detail/TextCopy.h"

#include <cstring>

namespace quivorant::detail {

void CopyText(char* dst, std::size_t capacity, const char* src) {
  if (!dst || capacity == 0) return;
  std::size_t n = 0;
  if (src) {
    while (n + 1 < capacity && src[n] != '\0') ++n;
    std::memcpy(dst, src, n);
  }
  dst[n] = '\0';
}

}  // namespace quivorant::detail
