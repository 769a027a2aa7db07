// Which frame of an n-frame filmstrip shows a normalised value: frames are numbered from 1, the
// value's share of the n - 1 steps is rounded half away from zero.
#pragma once

#include <algorithm>

#include "plug/Rounding.h"

namespace quivorant {

inline int FrameForValue(double value, int frames) {
  if (frames < 2) return 1;
  return std::clamp(RoundHalfAway(double(frames - 1) * value) + 1, 1, frames);
}

}  // namespace quivorant
