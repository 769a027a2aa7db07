// Parameter changes made on the audio thread reach the editor's controls on the user-interface
// thread: the editor draws from its controls without the lock, so only that thread may set them.
#include "plug/IEffectBase.h"

namespace quivorant {

void IEffectBase::DeferControlUpdate(int paramIdx) {
  if (paramIdx < 0 || paramIdx >= ParamCount()) return;
  controlsBehind_[static_cast<std::size_t>(paramIdx)] = 1;
  anyControlBehind_.store(true, std::memory_order_release);
}

void IEffectBase::DeferAllControlUpdates() {
  for (char& behind : controlsBehind_) behind = 1;
  anyControlBehind_.store(true, std::memory_order_release);
}

void IEffectBase::SyncEditorControls() {
  // A mark made after this exchange sets the flag again and is caught by the next call.
  if (anyControlBehind_.exchange(false, std::memory_order_acquire)) {
    InstanceLock::Scope hold(lock_);
    for (int i = 0; i < ParamCount(); ++i) {
      char& behind = controlsBehind_[static_cast<std::size_t>(i)];
      if (!behind) continue;
      behind = 0;
      if (editor_) editor_->SetControlsFromParam(i, params_[static_cast<std::size_t>(i)]->NormalizedValue(), true);
    }
  }
  // Cleared before the call: a host that reads the values back from inside it finds nothing
  // left to announce.
  if (presetUnannounced_.exchange(false, std::memory_order_acquire)) ProgramChangeToHost();
}

}  // namespace quivorant
