// Preset slots: naming, capture at construction, selection, storing, and the whole-bank form.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "plug/IEffectBase.h"
#include "plug/detail/TextCopy.h"

namespace quivorant {

namespace {

constexpr const char* kUserPresetName = "user preset";

}  // namespace

PresetSlot* IEffectBase::FirstFreePreset() {
  for (PresetSlot& slot : presets_) {
    if (!slot.initialized) return &slot;
  }
  return nullptr;
}

void IEffectBase::CapturePreset(const char* name, ...) {
  // The values are read as the effect passes them: int for integer kinds, double for Double.
  std::vector<double> values(params_.size());
  va_list args;
  va_start(args, name);
  for (std::size_t i = 0; i < params_.size(); ++i) {
    values[i] = params_[i]->IsIntegerKind() ? static_cast<double>(va_arg(args, int)) : va_arg(args, double);
  }
  va_end(args);
  CapturePresetValues(name, values.data(), static_cast<int>(values.size()));
}

void IEffectBase::CapturePresetValues(const char* name, const double* values, int count) {
  PresetSlot* slot = FirstFreePreset();
  if (!slot) return;
  slot->initialized = true;
  detail::CopyText(slot->name, name);
  for (int i = 0; i < ParamCount(); ++i) slot->chunk.PutDouble(values && i < count ? values[i] : 0.0);
  AppendTextSlots(slot->chunk);
}

void IEffectBase::NameFreePresets(const char* name, int count) {
  for (int i = 0; i < count; ++i) {
    PresetSlot* slot = FirstFreePreset();
    if (!slot) return;
    slot->initialized = true;
    slot->holdsDefaults = true;
    detail::CopyText(slot->name, name ? name : "Default");
  }
}

void IEffectBase::EnsureDefaultPreset() {
  if (!presets_.empty()) return;
  presets_.emplace_back();
  detail::CopyText(presets_.back().name, "- 1 -");
  NameFreePresets(nullptr, 1);
}

void IEffectBase::StoreCurrentPreset(const char* name) {
  if (currentPreset_ < 0 || currentPreset_ >= PresetCount()) return;
  PresetSlot& slot = presets_[static_cast<std::size_t>(currentPreset_)];
  if (!slot.holdsDefaults) {
    slot.chunk.Clear();
    WriteParamState(slot.chunk);
  }
  if (name && name[0] != '\0') detail::CopyText(slot.name, name);
}

bool IEffectBase::RestorePreset(int presetIdx, ControlPush push) {
  if (presetIdx < 0 || presetIdx >= PresetCount()) return false;
  PresetSlot& slot = presets_[static_cast<std::size_t>(presetIdx)];
  // The selected slot is the current one whatever it holds: a VST2 host stores the live values
  // into the current slot before its next program change, and must not overwrite another.
  currentPreset_ = presetIdx;
  if (!slot.initialized) {
    slot.initialized = true;
    NextUserPresetName(slot.name, sizeof slot.name);
    return true;
  }
  if (slot.holdsDefaults) {
    ApplyParamDefaults();
  } else if (slot.chunk.Empty()) {
    // A user slot that holds nothing yet changes nothing.
    return true;
  } else if (ReadParamState(slot.chunk, 0) <= 0) {
    return false;
  }
  if (push == ControlPush::kNow) {
    RedrawParamControls();
  } else {
    DeferAllControlUpdates();
    presetUnannounced_.store(true, std::memory_order_release);
  }
  return true;
}

const char* IEffectBase::PresetName(int presetIdx) const {
  if (presetIdx < 0 || presetIdx >= PresetCount()) return "";
  return presets_[static_cast<std::size_t>(presetIdx)].name;
}

const PresetSlot* IEffectBase::GetPresetSlot(int presetIdx) const {
  if (presetIdx < 0 || presetIdx >= PresetCount()) return nullptr;
  return &presets_[static_cast<std::size_t>(presetIdx)];
}

void IEffectBase::NextUserPresetName(char* out, std::size_t capacity) const {
  int count = 0;
  for (const PresetSlot& slot : presets_) {
    if (std::strstr(slot.name, kUserPresetName)) ++count;
  }
  if (out && capacity > 0) std::snprintf(out, capacity, "%s %d", kUserPresetName, count + 1);
}

bool IEffectBase::WriteDefaultState(StateChunk& chunk) {
  for (const auto& param : params_) {
    const int before = chunk.Size();
    if (chunk.PutDouble(param->defaultValue) != before + 8) return false;
  }
  return AppendTextSlots(chunk);
}

bool IEffectBase::WritePresetBank(StateChunk& chunk) {
  for (const PresetSlot& slot : presets_) {
    // The bank has no per-slot length, so an initialised slot must hold a whole state or the
    // reader would take the next slot's bytes as its parameters: an empty one travels as
    // the parameters' defaults.
    StateChunk defaults;
    const StateChunk* state = &slot.chunk;
    if (slot.initialized && slot.chunk.Empty()) {
      if (!WriteDefaultState(defaults)) return false;
      state = &defaults;
    }
    const int before = chunk.Size();
    const int expected =
        before + 4 + static_cast<int>(std::strlen(slot.name)) + 1 + (slot.initialized ? state->Size() : 0);
    chunk.PutString(slot.name);
    chunk.PutByte(slot.initialized ? 1 : 0);
    if (slot.initialized) chunk.PutChunk(*state);
    if (chunk.Size() != expected) return false;
  }
  return true;
}

int IEffectBase::ReadPresetBank(const StateChunk& chunk, int startPos) {
  int pos = startPos;
  for (std::size_t i = 0; i < presets_.size() && pos >= 0; ++i) {
    PresetSlot& slot = presets_[i];
    // A bank that ends early leaves the remaining slots as they were.
    char name[kPresetNameCapacity];
    pos = chunk.GetString(name, sizeof name, pos);
    if (pos < 0) break;
    detail::CopyText(slot.name, name);
    std::uint8_t initialized = 0;
    pos = chunk.GetByte(&initialized, pos);
    if (pos < 0) break;
    slot.initialized = initialized != 0;
    if (slot.initialized) {
      pos = ReadParamState(chunk, pos);
      if (pos > 0) {
        slot.chunk.Clear();
        WriteParamState(slot.chunk);
      }
    }
  }
  RestorePreset(currentPreset_);
  return pos;
}

}  // namespace quivorant
