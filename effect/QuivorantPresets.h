// The preset table: slot 0 is "---- default ----" (named, state left empty), slots 1..12 the
// factory presets below, the rest stay free for the user.
#pragma once

#include <cstdint>

#include "effect/QuivorantParams.h"

namespace quivorant {

class IEffectBase;

inline constexpr int kQuivorantPresetCount = 15;
inline constexpr int kFactoryPresetCount = 12;
inline constexpr const char* kDefaultPresetName = "---- default ----";

struct FactoryPreset {
  const char* name;
  std::int32_t values[kQuivorantParamCount];  // parameter index order
};

// The factory presets in slot order (slot 1 first).
const FactoryPreset* FactoryPresets();

// Names the default slot and captures the factory presets; call once from the constructor,
// after the parameters are defined.
void FillQuivorantPresets(IEffectBase& effect);

}  // namespace quivorant
