// The parameter state: one little-endian double per parameter in index order, then each text
// slot as a length-prefixed text. It carries no magic number, version or length of its own:
// the VST3 state is this chunk alone and the VST2 chunk puts its version in front.
#include <cmath>
#include <cstring>

#include "plug/IEffectBase.h"

namespace quivorant {

bool IEffectBase::AppendTextSlots(StateChunk& chunk) {
  for (int i = 0; i < textSlots_.Count(); ++i) {
    // An empty slot travels as "0" so that a reader never meets a zero-length text.
    if (textSlots_.Text(i)[0] == '\0') textSlots_.SetText(i, "0");
    const int before = chunk.Size();
    const int expected = before + 4 + static_cast<int>(std::strlen(textSlots_.Text(i)));
    if (chunk.PutString(textSlots_.Text(i)) != expected) return false;
  }
  return true;
}

bool IEffectBase::WriteParamState(StateChunk& chunk) {
  InstanceLock::Scope hold(lock_);
  for (const auto& param : params_) {
    // A failed append is a failed save, even when the chunk already held other bytes.
    const int before = chunk.Size();
    if (chunk.PutDouble(param->value) != before + 8) return false;
  }
  return AppendTextSlots(chunk);
}

int IEffectBase::ReadParamState(const StateChunk& chunk, int startPos) {
  InstanceLock::Scope hold(lock_);
  return WalkParamState(chunk, startPos, true);
}

void IEffectBase::ApplyParamDefaults() {
  InstanceLock::Scope hold(lock_);
  for (int i = 0; i < ParamCount(); ++i) {
    if (!AcceptsRestoredParam(i, currentPreset_)) continue;
    IParamRecord& param = *params_[static_cast<std::size_t>(i)];
    param.StoreValue(param.defaultValue);
    HandleParamChange(i);
  }
}

int IEffectBase::ParamStateEnd(const StateChunk& chunk, int startPos) {
  InstanceLock::Scope hold(lock_);
  return WalkParamState(chunk, startPos, false);
}

int IEffectBase::WalkParamState(const StateChunk& chunk, int startPos, bool apply) {
  int pos = startPos;
  for (int i = 0; i < ParamCount() && pos >= 0; ++i) {
    double x = 0.0;
    pos = chunk.GetDouble(&x, pos);
    if (pos < 0) x = 0.0;
    if (apply && AcceptsRestoredParam(i, currentPreset_)) {
      IParamRecord& param = *params_[static_cast<std::size_t>(i)];
      // A corrupted state must not smuggle NaN into the engine: it reads as 0.
      if (std::isnan(x)) x = 0.0;
      param.SetPlain(x);
      HandleParamChange(i);
    }
  }
  for (int slot = 0; slot < textSlots_.Count() && pos >= 0; ++slot) {
    // Texts longer than this are cut; slots are far shorter in practice.
    char text[kPresetNameCapacity * 4];
    pos = chunk.GetString(text, sizeof text, pos);
    if (apply && pos >= 0 && std::strcmp(text, "0") != 0) {
      textSlots_.SetText(slot, text);
      TextSlotChanged(slot);
    }
  }
  return pos;
}

}  // namespace quivorant
