// Clipping arithmetic in 64 bits, so that coordinates anywhere in the int range (INT_MIN and
// INT_MAX included) and sizes that overflow when added still clip correctly.
#pragma once

namespace quivorant {
namespace detail {

struct Span {
  long long start;
  long long length;
};

// Limits [start, start + length) to [0, limit). The length becomes <= 0 when nothing is left.
inline Span ClipSpan(long long start, long long length, long long limit) {
  if (start < 0) {
    length += start;
    start = 0;
  }
  if (start + length > limit) length = limit - start;
  return Span{start, length};
}

}  // namespace detail
}  // namespace quivorant
