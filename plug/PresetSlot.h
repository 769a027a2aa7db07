// One preset (program) slot: whether it holds a preset, its name and its parameter state.
#pragma once

#include <cstddef>

#include "plug/StateChunk.h"

namespace quivorant {

inline constexpr std::size_t kPresetNameCapacity = 256;

struct PresetSlot {
  // A fresh slot is not initialised and is named "- <number> -" by its owner.
  bool initialized = false;
  // The default slot: selecting it sets every parameter to its default value, and storing the
  // current values into it only renames it.
  bool holdsDefaults = false;
  char name[kPresetNameCapacity] = {};
  // A parameter state in the WriteParamState format, possibly empty.
  StateChunk chunk;
};

}  // namespace quivorant
