#include "plug/IEffectBase.h"

#include <cstdio>

#include "plug/HostIdentification.h"
#include "plug/detail/TextCopy.h"

namespace quivorant {

IEffectBase::IEffectBase(const EffectIdentity& identity)
    : routing_(identity.channelConfig),
      isInstrument_(identity.isInstrument),
      latency_(identity.latency),
      uniqueId_(identity.uniqueId),
      makerId_(identity.makerId),
      vendorVersion_(identity.vendorVersion),
      hostApi_(identity.hostApi),
      doesStateChunks_(identity.doesStateChunks),
      midiMode_(identity.midiMode) {
  const int paramCount = identity.paramCount > 0 ? identity.paramCount : 0;
  params_.reserve(static_cast<std::size_t>(paramCount));
  for (int i = 0; i < paramCount; ++i) params_.push_back(std::make_unique<IParamRecord>());
  controlsBehind_.assign(static_cast<std::size_t>(paramCount), 0);

  const int presetCount = identity.presetCount > 0 ? identity.presetCount : 0;
  presets_.resize(static_cast<std::size_t>(presetCount));
  for (int i = 0; i < presetCount; ++i) {
    std::snprintf(presets_[static_cast<std::size_t>(i)].name, kPresetNameCapacity, "- %d -", i + 1);
  }

  detail::CopyText(effectName_, identity.effectName);
  detail::CopyText(productName_, identity.productName);
  detail::CopyText(makerName_, identity.makerName);
}

IEffectBase::~IEffectBase() {
  // The editor's controls may still look at parameters while they go.
  delete editor_;
  editor_ = nullptr;
  while (!params_.empty()) params_.pop_back();
}

// ---- default hooks ----------------------------------------------------------------------

void IEffectBase::ResetEffect() { InstanceLock::Scope hold(lock_); }
void IEffectBase::ReservedHook2() { InstanceLock::Scope hold(lock_); }
void IEffectBase::HandleParamChange(int) { InstanceLock::Scope hold(lock_); }

void IEffectBase::ParamChangedLocked(int paramIdx) {
  InstanceLock::Scope hold(lock_);
  HandleParamChange(paramIdx);
}

void IEffectBase::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  ChannelRouting::CopyChannels(inputs, InputChannelCount(), outputs, OutputChannelCount(), nFrames);
}

void IEffectBase::EditorOpened() {}
void IEffectBase::EditorClosing() {}
void IEffectBase::ReservedHook8() {}
void IEffectBase::BeforeClose() {}
void IEffectBase::Activate(bool) { InstanceLock::Scope hold(lock_); }

void IEffectBase::ActivateProcessing(bool active) {
  Activate(active);
  ResetEffect();
}
void IEffectBase::MidiMessageIn(const MidiMessage&) {}
void IEffectBase::SysExMessageIn(const SysExMessage&) {}

bool IEffectBase::NoteName(int, char* text, std::size_t capacity) {
  detail::CopyText(text, capacity, "");
  return false;
}

bool IEffectBase::SaveState(StateChunk& chunk) { return WriteParamState(chunk); }
int IEffectBase::LoadState(const StateChunk& chunk, int startPos) {
  InstanceLock::Scope hold(lock_);
  if (ParamStateEnd(chunk, startPos) < 0) return -1;
  return ReadParamState(chunk, startPos);
}
std::intptr_t IEffectBase::CtlColorHook(std::uintptr_t, std::intptr_t, unsigned) { return 0; }
void IEffectBase::TextSlotChanged(int) { InstanceLock::Scope hold(lock_); }
void IEffectBase::ParamHoverHook(int) { InstanceLock::Scope hold(lock_); }
void IEffectBase::StateVersionIn(int) { InstanceLock::Scope hold(lock_); }

bool IEffectBase::AcceptsRestoredParam(int, int) {
  InstanceLock::Scope hold(lock_);
  return true;
}

void IEffectBase::EditorResized() {}
int IEffectBase::HostApi() const { return hostApi_; }
void IEffectBase::WheelEditHook(int) {}
void IEffectBase::InitializeDone() {}
void IEffectBase::HostParamMenu(int, int, int) {}
int IEffectBase::HostCode() { return hostCode_; }
void IEffectBase::ReservedHook35() {}
void IEffectBase::HostSpecificInit() {}

void IEffectBase::AttachGraphics(IEditorConnection* editor) {
  if (!editor) return;
  InstanceLock::Scope hold(lock_);
  // A second editor replaces the first rather than leaking it.
  if (editor_ && editor_ != editor) delete editor_;
  for (int i = 0; i < ParamCount(); ++i)
    editor->SetControlsFromParam(i, params_[static_cast<std::size_t>(i)]->NormalizedValue(), true);
  editor->PrepareDraw();
  editor_ = editor;
}

void IEffectBase::SetBlockSize(int nFrames) { routing_.SetBlockSize(nFrames); }
void IEffectBase::SetLatency(int samples) { latency_ = samples; }

bool IEffectBase::SendMidiMessages(const MidiMessage* msgs, int count) {
  bool all = true;
  for (int i = 0; msgs && i < count; ++i) all = SendMidiMessage(msgs[i]) && all;
  return all;
}

// ---- parameters -------------------------------------------------------------------------

IParamRecord* IEffectBase::GetParam(int paramIdx) {
  if (paramIdx < 0 || paramIdx >= ParamCount()) return nullptr;
  return params_[static_cast<std::size_t>(paramIdx)].get();
}

const IParamRecord* IEffectBase::GetParam(int paramIdx) const {
  if (paramIdx < 0 || paramIdx >= ParamCount()) return nullptr;
  return params_[static_cast<std::size_t>(paramIdx)].get();
}

void IEffectBase::NotifyAllParamsChanged() {
  for (int i = 0; i < ParamCount(); ++i) HandleParamChange(i);
}

void IEffectBase::RedrawParamControls() {
  if (!editor_) return;
  for (int i = 0; i < ParamCount(); ++i)
    editor_->SetControlsFromParam(i, params_[static_cast<std::size_t>(i)]->value, false);
}

void IEffectBase::SetParamFromEditor(int paramIdx, double normalizedValue) {
  InstanceLock::Scope hold(lock_);
  IParamRecord* param = GetParam(paramIdx);
  if (!param) return;
  param->SetFromNormalized(normalizedValue);
  ParamEditToHost(paramIdx, normalizedValue);
  HandleParamChange(paramIdx);
}

void IEffectBase::EndParamGestureDeferred(int paramIdx) {
  InstanceLock::Scope hold(lock_);
  if (!GetParam(paramIdx)) return;
  // One gesture waits at a time: a different one that still waits ends now instead of never.
  if (pendingGesture_ != -1 && pendingGesture_ != paramIdx) {
    const int earlier = pendingGesture_;
    pendingGesture_ = -1;
    EndParamEdit(earlier);
  }
  if (editor_) {
    pendingGesture_ = paramIdx;
    const int half = editor_->FrameRate() / 2;
    editor_->SetWheelGestureTicks(half > 1 ? half : 1);
  } else {
    EndParamEdit(paramIdx);
  }
}

void IEffectBase::BeginWheelGesture(int paramIdx) {
  InstanceLock::Scope hold(lock_);
  // A run of wheel steps on one knob is one gesture: it begins at the first step, and the
  // editor's deferred end closes it after the last.
  if (pendingGesture_ == paramIdx) return;
  BeginParamEdit(paramIdx);
}

void IEffectBase::FlushDeferredGesture() {
  InstanceLock::Scope hold(lock_);
  if (editor_) editor_->ClearWheelGestureTicks();
  if (pendingGesture_ != -1) {
    const int paramIdx = pendingGesture_;
    // Cleared first: the host's end-edit may well start the next gesture.
    pendingGesture_ = -1;
    EndParamEdit(paramIdx);
  }
}

int IEffectBase::FindOrAddGroupName(const char* groupName) {
  if (!groupName || groupName[0] == '\0') return -1;
  for (std::size_t i = 0; i < groupNames_.size(); ++i) {
    if (groupNames_[i] == groupName) return static_cast<int>(i);
  }
  groupNames_.emplace_back(groupName);
  return static_cast<int>(groupNames_.size()) - 1;
}

const char* IEffectBase::GroupName(int index) const {
  if (index < 0 || index >= GroupNameCount()) return "";
  return groupNames_[static_cast<std::size_t>(index)].c_str();
}

// ---- identity and host ------------------------------------------------------------------

double IEffectBase::SamplesPerBeat() {
  const double tempo = Tempo();
  return tempo > 0.0 ? sampleRate_ * 60.0 / tempo : 0.0;
}

std::int32_t IEffectBase::EffectVersion(bool decimal) const {
  return decimal ? DecimalVersion(vendorVersion_) : vendorVersion_;
}

void IEffectBase::SetHost(const char* hostName, int hostVersion) {
  hostCode_ = LookupHostCode(hostName);
  hostVersion_ = hostVersion;
}

namespace {

void SetListName(std::vector<std::string>& names, int index, const char* name) {
  if (index < 0) return;
  if (static_cast<std::size_t>(index) >= names.size()) names.resize(static_cast<std::size_t>(index) + 1);
  names[static_cast<std::size_t>(index)] = name ? name : "";
}

const char* ListName(const std::vector<std::string>& names, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return "";
  return names[static_cast<std::size_t>(index)].c_str();
}

}  // namespace

void IEffectBase::SetInputBusName(int index, const char* name) { SetListName(inputBusNames_, index, name); }
void IEffectBase::SetOutputBusName(int index, const char* name) { SetListName(outputBusNames_, index, name); }
const char* IEffectBase::InputBusName(int index) const { return ListName(inputBusNames_, index); }
const char* IEffectBase::OutputBusName(int index) const { return ListName(outputBusNames_, index); }

}  // namespace quivorant
