// The format-independent heart of the plug-in: parameter table, preset slots, parameter state,
// channel configuration and buffer plumbing, edit gestures, identity, and the instance lock.
//
// Class family: IEffectBase <- format wrapper (IEffectVST3, IEffectVST, a test wrapper)
//               <- the effect (CLS_QUIVORANT).
// The wrapper implements the host-facing pure slots; the effect overrides ResetEffect,
// HandleParamChange and ProcessBlock. Virtual operations are declared in their slot order.
//
// Threads: the host's audio thread runs ProcessBuffers and friends; its user-interface thread
// runs everything else. One recursive lock per instance (GetLock) guards parameters, presets,
// state and the editor reference; the effect's handlers run with it held and may take it again.
//
// Calling sequence, seen from the wrapper:
//   1. construct (the effect then defines parameters, attaches its editor, fills presets)
//   2. deliver every parameter once (HandleParamChange / NotifyAllParamsChanged)
//   3. SetSampleRate, SetBlockSize, ResetEffect, Activate(true)
//   4. per block, under the lock: SetInput/OutputConnections, then ProcessHostBlock, which
//      binds the host's buffers (AttachInputs/Outputs) and runs ProcessBuffers or PassThrough
//   5. SaveState / LoadState, RestorePreset at any time on the user-interface thread
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/InstanceLock.h"
#include "plug/ChannelRouting.h"
#include "plug/EditorConnection.h"
#include "plug/EffectIdentity.h"
#include "plug/FloatBlockProcessor.h"
#include "plug/IParamRecord.h"
#include "plug/MidiMessage.h"
#include "plug/PresetSlot.h"
#include "plug/StateChunk.h"
#include "plug/TextSlots.h"

namespace quivorant {

// How a restored preset reaches the editor's controls: at once (user-interface thread), or
// marked for SyncEditorControls (audio thread, which must not touch the editor).
enum class ControlPush { kNow, kDeferred };

// Where a host's parameter write comes from, which decides what it may do besides storing.
enum class HostWrite {
  kUserThread,   // controls at once, then HandleParamChange
  kAudioThread,  // controls marked for SyncEditorControls, then HandleParamChange
  kMirror,       // controls at once, no HandleParamChange: the VST3 controller's copy of a
                 // value that reaches the effect through process
};

// Capacity of the effect, product and maker names, terminator included.
inline constexpr std::size_t kEffectNameCapacity = 128;

class IEffectBase {
public:
  explicit IEffectBase(const EffectIdentity& identity);
  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // Deletes the attached editor first, then parameters (last first), presets and the rest.
  virtual ~IEffectBase();

  // ---- virtual operations, in slot order ------------------------------------------------

  // Called after the sample rate or block size changed, and on deactivation. Lock only.
  virtual void ResetEffect();
  // Unused hook: lock only.
  virtual void ReservedHook2();
  // A parameter's value changed; called with the lock held (or before processing starts).
  virtual void HandleParamChange(int paramIdx);
  // Takes the lock around HandleParamChange.
  virtual void ParamChangedLocked(int paramIdx);
  // Audio thread, lock held, only while EffectReady(). Default: PassThrough's copy.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  virtual void EditorOpened();
  virtual void EditorClosing();
  // Unused hook: nothing.
  virtual void ReservedHook8();
  // The host is about to close the instance.
  virtual void BeforeClose();
  // Lock only.
  virtual void Activate(bool active);
  virtual void MidiMessageIn(const MidiMessage& msg);
  virtual void SysExMessageIn(const SysExMessage& msg);
  // Writes the name of a MIDI note into `text` (capacity bytes); default: "" and false.
  virtual bool NoteName(int noteNumber, char* text, std::size_t capacity);
  // Host state save and restore; by default the parameter state. A state that ends before all
  // of it is read (a damaged project or a cut chunk) is refused whole: -1, nothing changes.
  virtual bool SaveState(StateChunk& chunk);
  virtual int LoadState(const StateChunk& chunk, int startPos);
  // Asked by the editor window before a static child window paints; default 0.
  virtual std::intptr_t CtlColorHook(std::uintptr_t wParam, std::intptr_t lParam, unsigned message);
  // A host wrote a text slot. Lock only.
  virtual void TextSlotChanged(int slot);
  // The mouse hovers over a control bound to this parameter. Lock only.
  virtual void ParamHoverHook(int paramIdx);
  // The version number found in front of a host chunk. Lock only.
  virtual void StateVersionIn(int version);
  // Consulted by ReadParamState for every parameter; true by default.
  virtual bool AcceptsRestoredParam(int paramIdx, int presetIdx);
  virtual void EditorResized();
  virtual int HostApi() const;
  // Edit gestures toward the host: begin, each new normalised value, end.
  virtual void BeginParamEdit(int paramIdx) = 0;
  // Called before each mouse-wheel change of a parameter; default nothing.
  virtual void WheelEditHook(int paramIdx);
  virtual void ParamEditToHost(int paramIdx, double normalizedValue) = 0;
  virtual void EndParamEdit(int paramIdx) = 0;
  virtual void InitializeDone();
  // The editor asks for the host's context menu of a parameter at (x, y); default nothing.
  virtual void HostParamMenu(int paramIdx, int x, int y);
  // Tells the host that a preset changed parameter values behind its back (user-interface
  // thread only; see SyncEditorControls).
  virtual void ProgramChangeToHost() = 0;
  // Transport queries, answered from the host's time information.
  virtual int SamplePosition() = 0;
  virtual double Tempo() = 0;
  virtual void TimeSignature(int& numerator, int& denominator) = 0;
  // -1 before identification, 0 for an unknown host.
  virtual int HostCode();
  virtual void ResizeEditor(int width, int height) = 0;
  // Unused hook: nothing.
  virtual void ReservedHook35();
  // One-time host-specific set-up (the VST2 wrapper overrides it); default nothing.
  virtual void HostSpecificInit();
  // Takes ownership of the editor and pushes every parameter into it; null is ignored.
  virtual void AttachGraphics(IEditorConnection* editor);
  // Resizes and zeroes the scratch buffers; a negative count or the current size does nothing,
  // and so does running out of memory. Sizes above kMaxBlockFrames are limited to that.
  virtual void SetBlockSize(int nFrames);
  virtual void SetLatency(int samples);
  virtual bool SendMidiMessage(const MidiMessage& msg) = 0;
  // Logical AND of SendMidiMessage over the list; true for an empty list.
  virtual bool SendMidiMessages(const MidiMessage* msgs, int count);
  virtual bool SendSysExMessage(const SysExMessage& msg) = 0;
  // The parameter state: one little-endian double per parameter, then the text slots.
  virtual bool WriteParamState(StateChunk& chunk);
  virtual int ReadParamState(const StateChunk& chunk, int startPos);
  // Where ReadParamState would end, without changing anything (-1: it would read short).
  int ParamStateEnd(const StateChunk& chunk, int startPos);
  // Every preset slot in order: name, initialised byte, and the state of an initialised slot.
  virtual bool WritePresetBank(StateChunk& chunk);
  virtual int ReadPresetBank(const StateChunk& chunk, int startPos);

  // ---- parameters ----------------------------------------------------------------------

  int ParamCount() const { return static_cast<int>(params_.size()); }
  // Null for an index outside the table.
  IParamRecord* GetParam(int paramIdx);
  const IParamRecord* GetParam(int paramIdx) const;
  // HandleParamChange for every index, ascending.
  void NotifyAllParamsChanged();
  // Every parameter the effect accepts back (AcceptsRestoredParam) set to its default value,
  // with HandleParamChange; text slots stay. Takes the lock.
  void ApplyParamDefaults();
  // Pushes every plain value to the attached editor. Caller holds the lock.
  void RedrawParamControls();
  // The editor belongs to the user-interface thread. Where the audio thread changes a parameter
  // (VST3 hosts send automation and program changes inside process), it only marks it, with the
  // lock held; the user-interface thread hands the marked values to the controls with
  // SyncEditorControls, which takes the lock only when something is marked (the editor's timer
  // calls it every tick, the VST3 controller on its queries). A preset restored on the audio
  // thread is announced the same way: SyncEditorControls calls ProgramChangeToHost once, after
  // the controls, without holding the lock. Indices outside the table are ignored.
  void DeferControlUpdate(int paramIdx);
  void DeferAllControlUpdates();
  void SyncEditorControls();
  // An editor control moved a parameter: lock, set, tell the host, HandleParamChange.
  void SetParamFromEditor(int paramIdx, double normalizedValue);
  // A host wrote a parameter, normalised (0..1) or plain: every front end's one path. An index
  // outside the table or NaN changes nothing (false). Otherwise, under the lock: the value
  // limited to its range and stored through the record's setter, the editor's controls told
  // the stored number as `how` allows, then HandleParamChange unless `how` is kMirror.
  bool SetParamFromHost(int paramIdx, double normalized, HostWrite how);
  bool SetPlainParamFromHost(int paramIdx, double plain, HostWrite how);
  // Ends a wheel gesture about half a second later (through the editor's timer), or at once
  // when no editor is attached; a different gesture still waiting ends first. Indices outside
  // the table are ignored. FlushDeferredGesture ends a pending one now.
  void EndParamGestureDeferred(int paramIdx);
  void FlushDeferredGesture();
  // For a front end's WheelEditHook: opens the gesture at the first of a run of wheel steps on
  // one parameter (BeginParamEdit, which must end a different waiting gesture first).
  void BeginWheelGesture(int paramIdx);
  // The parameter of the wheel gesture waiting for its end, -1 for none.
  int PendingGestureIndex() const { return pendingGesture_; }

  // Distinct non-empty parameter groups, in order of first appearance (the VST3 units).
  // FindOrAddGroupName returns the group's position, -1 for an empty or null name.
  int FindOrAddGroupName(const char* groupName);
  int GroupNameCount() const { return static_cast<int>(groupNames_.size()); }
  // "" outside the list.
  const char* GroupName(int index) const;

  // ---- presets -------------------------------------------------------------------------

  int PresetCount() const { return static_cast<int>(presets_.size()); }
  int CurrentPresetIndex() const { return currentPreset_; }
  // Fills the first free slot: a name, then one value per parameter in index order: integer
  // kinds as int, kind Double as double. Nothing when no slot is free.
  void CapturePreset(const char* name, ...);
  // The same with the values as doubles; missing values (count below the parameter count)
  // are taken as 0.
  void CapturePresetValues(const char* name, const double* values, int count);
  // Marks `count` free slots initialised under `name` ("Default" when null), chunks empty.
  void NameFreePresets(const char* name, int count);
  // With no slot at all: adds one and names it "Default".
  void EnsureDefaultPreset();
  // Refreshes the current slot from the live parameters; a non-empty name also renames it.
  void StoreCurrentPreset(const char* name = nullptr);
  // Selects a slot and applies it: the default slot sets every parameter to its default, a
  // stored state is read, and a slot that holds nothing changes no value (a fresh one is named
  // "user preset N"). The slot becomes the current one. False for an index outside the table
  // (nothing changes) or a stored state that reads short. kDeferred (audio thread) also marks
  // the change for the host (SyncEditorControls).
  bool RestorePreset(int presetIdx, ControlPush push = ControlPush::kNow);
  // "" outside the table.
  const char* PresetName(int presetIdx) const;
  // "user preset N", N one more than the slots whose name holds "user preset".
  void NextUserPresetName(char* out, std::size_t capacity) const;
  // Read-only access for wrappers and tests; null outside the table.
  const PresetSlot* GetPresetSlot(int presetIdx) const;

  // ---- text slots ----------------------------------------------------------------------

  int TextSlotCount() const { return textSlots_.Count(); }
  const char* TextSlotText(int slot) const { return textSlots_.Text(slot); }
  int TextSlotMaxLength(int slot) const { return textSlots_.MaxLength(slot); }
  // Copies at most the slot's maximum length; false outside the list. Does not notify.
  bool SetTextSlotText(int slot, const char* text) { return textSlots_.SetText(slot, text); }

  // ---- audio set-up and plumbing ------------------------------------------------------

  double SampleRate() const { return sampleRate_; }
  void SetSampleRate(double rate) { sampleRate_ = rate; }
  int BlockSize() const { return routing_.BlockSize(); }
  int Latency() const { return latency_; }
  int TailSamples() const { return tailSamples_; }
  void SetTailSamples(int samples) { tailSamples_ = samples; }
  // Samples per beat at the host's tempo; 0 without a positive tempo.
  double SamplesPerBeat();

  int InputChannelCount() const { return routing_.InputCount(); }
  int OutputChannelCount() const { return routing_.OutputCount(); }
  const std::vector<ChannelPair>& ChannelPairs() const { return routing_.Pairs(); }
  bool IsLegalIO(int numInputs, int numOutputs) const { return routing_.IsLegalIO(numInputs, numOutputs); }
  void LimitToStereoIO() { routing_.LimitToStereoIO(); }

  void SetInputConnections(int first, int count, bool connected) {
    routing_.SetInputConnections(first, count, connected);
  }
  void SetOutputConnections(int first, int count, bool connected) {
    routing_.SetOutputConnections(first, count, connected);
  }
  bool IsInputConnected(int channel) const { return routing_.IsInputConnected(channel); }
  bool IsOutputConnected(int channel) const { return routing_.IsOutputConnected(channel); }
  // Bindings hold for the next ProcessBuffers or PassThrough call only; a null host buffer
  // makes the channel use its scratch buffer (silence for an input).
  void AttachInputs(int first, int count, double** buffers) { routing_.AttachInputs(first, count, buffers); }
  void AttachInputs(int first, int count, float** buffers, int nFrames) {
    routing_.AttachInputs(first, count, buffers, nFrames);
  }
  void AttachOutputs(int first, int count, double** buffers) { routing_.AttachOutputs(first, count, buffers); }
  void AttachOutputs(int first, int count, float** buffers) { routing_.AttachOutputs(first, count, buffers); }

  // Audio thread, lock held by the caller. The double forms write into the host's buffers
  // directly; the float forms convert the scratch outputs into the host's buffers afterwards
  // (also when the effect is not ready yet, so the host receives silence after SetBlockSize).
  // A block longer than the block size is processed up to the block size wherever a scratch
  // buffer is involved; the rest of a replaced output is silence.
  void ProcessBuffers(DoublePrecision, int nFrames);
  void ProcessBuffers(SinglePrecision, int nFrames);
  void ProcessBuffersAccumulating(SinglePrecision, int nFrames);
  void PassThrough(DoublePrecision, int nFrames);
  void PassThrough(SinglePrecision, int nFrames);
  void ZeroScratch() { routing_.ZeroScratch(); }

  // One host block, as both front ends hand it over after setting the channel connections.
  // Audio thread, lock held by the caller. `inputs` and `outputs` hold one host buffer per
  // connected channel, in channel order. A block missing any of those buffers is not processed:
  // a missing output leaves every output as the host passed it, a missing input gives replaced
  // outputs silence. Otherwise the block runs through ProcessBuffers (PassThrough when bypassed)
  // in pieces of at most the block size wherever a scratch buffer is involved (always in single
  // precision; in double precision only with a disconnected channel), so any length is processed
  // whole. A block of no frames does nothing.
  // A replaced stereo float block goes straight to the effect's FloatBlockProcessor, when it has
  // one, instead: same pieces, same samples, no scratch buffers.
  void ProcessHostBlock(float* const* inputs, float* const* outputs, int nFrames, OutputMode mode);
  void ProcessHostBlock(double* const* inputs, double* const* outputs, int nFrames);
  // The effect's direct single-precision path (see FloatBlockProcessor); null for none.
  void SetFloatBlockProcessor(FloatBlockProcessor* processor) { floatProcessor_ = processor; }

  // ---- readiness, bypass, editor --------------------------------------------------------

  // A host switches processing on or off (VST3 setActive, VST2 effMainsChanged): Activate, then
  // ResetEffect, so that the next block starts from a clear filter and a fresh LFO cycle
  // instead of running new settings over what the last block left. User-interface thread.
  void ActivateProcessing(bool active);

  // ProcessBuffers calls ProcessBlock only once the effect has declared itself ready.
  bool EffectReady() const { return effectReady_; }
  void SetEffectReady(bool ready) { effectReady_ = ready; }
  bool IsBypassed() const { return bypassed_; }
  void SetBypassed(bool bypassed) { bypassed_ = bypassed; }
  // The attached editor, or null; owned by the core.
  IEditorConnection* Editor() const { return editor_; }

  // The editor's window for every front end (user-interface thread). OpenEditor opens it inside
  // the host's `parent` and answers it, or null (no editor, no parent, no window could be made);
  // opening again moves the window. CloseEditor closes it; harmless when closed. The effect's
  // EditorOpened and EditorClosing hooks stay strictly paired however loosely hosts pair these.
  void* OpenEditor(void* parent);
  void CloseEditor();
  // The open editor window, or null.
  void* EditorWindow() const { return editorOpen_ ? editor_->GetWindow() : nullptr; }
  bool EditorHostMouseWheel(float distance) { return editor_ != nullptr && editor_->HostMouseWheel(distance); }

  // ---- identity and host --------------------------------------------------------------

  const char* EffectName() const { return effectName_; }
  const char* ProductName() const { return productName_; }
  const char* MakerName() const { return makerName_; }
  std::int32_t UniqueId() const { return uniqueId_; }
  std::int32_t MakerId() const { return makerId_; }
  // The packed version, or major * 10000 + minor * 100 + patch when decimal.
  std::int32_t EffectVersion(bool decimal) const;
  int MidiMode() const { return midiMode_; }
  bool DoesStateChunks() const { return doesStateChunks_; }
  bool IsInstrument() const { return isInstrument_; }

  // Identifies the host from its product name (null counts as empty) and keeps its version.
  void SetHost(const char* hostName, int hostVersion);
  int HostVersion() const { return hostVersion_; }

  // Bus names the format wrapper shows to hosts; setting an index twice replaces the name.
  void SetInputBusName(int index, const char* name);
  void SetOutputBusName(int index, const char* name);
  // "" outside the list.
  const char* InputBusName(int index) const;
  const char* OutputBusName(int index) const;

  // The instance lock (recursive).
  InstanceLock& GetLock() const { return lock_; }

protected:
  // For effects with host-settable texts; call from the constructor.
  void SetupTextSlots(int count, int commonMaxLength, const int* perSlotMaxLengths) {
    textSlots_.Setup(count, commonMaxLength, perSlotMaxLengths);
  }
  // For wrappers that identify the host lazily (VST2's HostCode).
  int StoredHostCode() const { return hostCode_; }

private:
  // The state reader, applying what it reads or only finding where it ends. Caller holds the lock.
  int WalkParamState(const StateChunk& chunk, int startPos, bool apply);
  // Appends the text slots (an empty one stored as "0") to a parameter state.
  bool AppendTextSlots(StateChunk& chunk);
  // A parameter state made of every parameter's default value.
  bool WriteDefaultState(StateChunk& chunk);
  PresetSlot* FirstFreePreset();
  // The single-precision forms: the effect's block or the core's copy, then the conversion
  // into the host's buffers (replacing or adding).
  void RunSingleBlock(int nFrames, bool accumulate, bool passThrough);
  // The host write's steps after the value is stored; `shown` is what the controls get.
  void FinishHostWrite(int paramIdx, double shown, bool normalized, HostWrite how);
  // ProcessHostBlock for either width: true when the buffers are there (see above).
  template <typename Sample>
  bool HostBuffersPresent(Sample* const* inputs, Sample* const* outputs, int nFrames, bool replacing);
  template <typename Sample>
  void RunHostPieces(Sample* const* inputs, Sample* const* outputs, int nFrames, bool accumulate);
  // True when the float block can go to floatProcessor_ as it is.
  bool FloatBlockDirect(float* const* inputs, float* const* outputs, int nFrames, OutputMode mode);
  // True when the four stereo buffers are each the same as or apart from one another over the
  // block; hosts hand the same buffers block after block, so the last answer is kept.
  bool FloatBuffersApart(float* const* inputs, float* const* outputs, int nFrames);

  ChannelRouting routing_;
  FloatBlockProcessor* floatProcessor_ = nullptr;
  const float* lastFloatBuffers_[4] = {};  // inputs, then outputs
  int lastFloatFrames_ = 0;
  bool lastFloatApart_ = false;
  std::vector<std::unique_ptr<IParamRecord>> params_;
  // Parameters whose editor controls are behind their values (DeferControlUpdate).
  std::vector<char> controlsBehind_;
  std::atomic<bool> anyControlBehind_{false};   // set after marking, so a tick can skip the lock
  std::atomic<bool> presetUnannounced_{false};  // a preset restored on the audio thread
  std::vector<PresetSlot> presets_;
  int currentPreset_ = 0;
  int pendingGesture_ = -1;
  mutable InstanceLock lock_;
  TextSlots textSlots_;
  bool effectReady_ = false;
  bool isInstrument_ = false;
  bool bypassed_ = false;
  std::vector<std::string> groupNames_;
  double sampleRate_ = 44100.0;
  int latency_ = 0;
  char effectName_[kEffectNameCapacity] = {};
  char productName_[kEffectNameCapacity] = {};
  char makerName_[kEffectNameCapacity] = {};
  std::int32_t uniqueId_ = 0;
  std::int32_t makerId_ = 0;
  std::int32_t vendorVersion_ = 0;
  int hostCode_ = -1;
  std::int32_t hostApi_ = 0;
  int hostVersion_ = 0;
  bool doesStateChunks_ = false;
  int midiMode_ = 0;
  int tailSamples_ = 0;
  IEditorConnection* editor_ = nullptr;
  bool editorOpen_ = false;  // between a successful OpenEditor and the next CloseEditor
  std::vector<std::string> inputBusNames_;
  std::vector<std::string> outputBusNames_;
};

}  // namespace quivorant
