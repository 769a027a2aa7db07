// Bounded text copies across the host boundary, in both directions.
#pragma once

#include <cstddef>

namespace quivorant {

// Copies at most capacity - 1 characters of `source` (null counts as "") into `dest` and always
// terminates it. Reads no further into `source` than it copies, so an unterminated host text
// is safe too. Nothing happens when dest is null or capacity is 0.
void CopyHostText(char* dest, const char* source, std::size_t capacity);

}  // namespace quivorant
