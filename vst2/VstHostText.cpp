#include "vst2/VstHostText.h"

namespace quivorant {

void CopyHostText(char* dest, const char* source, std::size_t capacity) {
  if (dest == nullptr || capacity == 0) return;
  std::size_t n = 0;
  if (source != nullptr) {
    for (; n + 1 < capacity && source[n] != '\0'; ++n) dest[n] = source[n];
  }
  dest[n] = '\0';
}

}  // namespace quivorant
