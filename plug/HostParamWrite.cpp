// A host's parameter write, the same for every front end and thread.
#include <cmath>

#include "plug/IEffectBase.h"

namespace quivorant {

bool IEffectBase::SetParamFromHost(int paramIdx, double normalized, HostWrite how) {
  IParamRecord* param = GetParam(paramIdx);
  // Normalised values live in 0..1; a host sending anything else (or NaN) must not push a
  // parameter outside its range.
  if (param == nullptr || std::isnan(normalized)) return false;
  const double n = normalized < 0.0 ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
  InstanceLock::Scope hold(lock_);
  param->SetFromNormalized(n);
  FinishHostWrite(paramIdx, n, true, how);
  return true;
}

bool IEffectBase::SetPlainParamFromHost(int paramIdx, double plain, HostWrite how) {
  IParamRecord* param = GetParam(paramIdx);
  if (param == nullptr) return false;
  InstanceLock::Scope hold(lock_);
  if (!param->SetPlain(plain)) return false;
  // The editor shows what is stored, so it gets the limited value.
  FinishHostWrite(paramIdx, param->CurrentValue(), false, how);
  return true;
}

void IEffectBase::FinishHostWrite(int paramIdx, double shown, bool normalized, HostWrite how) {
  if (how == HostWrite::kAudioThread) {
    // The editor draws on the user-interface thread: its controls follow from there.
    DeferControlUpdate(paramIdx);
  } else if (editor_ != nullptr) {
    editor_->SetControlsFromParam(paramIdx, shown, normalized);
  }
  if (how != HostWrite::kMirror) HandleParamChange(paramIdx);
}

}  // namespace quivorant
