// IEffectVST: the VST 2.4 face of the plug-in core. One instance is one plug-in instance; the
// AEffect record the host holds lives inside it, so the record is valid exactly as long as the
// instance (from VSTPluginMain until effClose).
//
// This class does the work; VstEntryPoints.cpp is the thin C layer the host calls, which only
// recovers the instance from the record, checks it and forwards here.
//
// Host walkthrough:
//   1. VSTPluginMain: construct (the effect defines parameters, presets and its editor)
//   2. effOpen: HostSpecificInit, then every parameter is delivered once, which makes the
//      effect ready to process
//   3. effSetSampleRate, effSetBlockSize, effMainsChanged(1); audio callbacks per block
//   4. parameters, programs, chunks and the editor from the user-interface thread
//   5. effClose deletes the instance
//
// Threads: the audio callbacks run on the host's audio thread, everything else on its
// user-interface thread (mostly). Every host entry holds the core's recursive instance lock for
// its whole run, so no two entries into one instance overlap.
#pragma once

#include <cstdint>

#include "plug/IEffectBase.h"
#include "plug/StateChunk.h"
#include "vst2/abi/VstEffect.h"
#include "vst2/abi/VstRecords.h"
#include "vst2/abi/VstTime.h"

namespace quivorant {

class IEffectVST : public IEffectBase {
public:
  using HostInstanceInfo = audioMasterCallback;

  // `hostCallback` may be null: every call into the host is then skipped.
  IEffectVST(const EffectIdentity& identity, HostInstanceInfo hostCallback);
  ~IEffectVST() override;

  AEffect* EffectRecord() { return &effectRecord; }
  // The instance a record belongs to, or null for a record that is not ours.
  static IEffectVST* FromRecord(AEffect* effect);

  // ---- host entries (called through the C layer) --------------------------------------

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  // effClose: under the lock, an open editor is closed and the BeforeClose hook runs; then the
  // instance deletes itself.
  static void Close(IEffectVST* instance);
  void ProcessAccumulating(float** inputs, float** outputs, VstInt32 nFrames);
  void ProcessReplacing(float** inputs, float** outputs, VstInt32 nFrames);
  void ProcessDoubleReplacing(double** inputs, double** outputs, VstInt32 nFrames);
  float GetParameter(VstInt32 index);
  void SetParameter(VstInt32 index, float value);

  // ---- overrides of the core, in slot order -------------------------------------------

  void BeginParamEdit(int paramIdx) override;
  void WheelEditHook(int paramIdx) override;
  void ParamEditToHost(int paramIdx, double normalizedValue) override;
  void EndParamEdit(int paramIdx) override;
  void ProgramChangeToHost() override;
  int SamplePosition() override;
  double Tempo() override;
  void TimeSignature(int& numerator, int& denominator) override;
  int HostCode() override;
  void ResizeEditor(int width, int height) override;
  void HostSpecificInit() override;
  void AttachGraphics(IEditorConnection* editor) override;
  void SetLatency(int samples) override;
  bool SendMidiMessage(const MidiMessage& msg) override;
  bool SendSysExMessage(const SysExMessage& msg) override;

  // Read-only views for tests.
  const ERect& EditorRect() const { return editorRect; }
  const VstSpeakerArrangement& InputArrangement() const { return inputArrangement; }
  bool HostSpecificInitDone() const { return hostSpecificInitDone; }
  // Between an effEditOpen that opened the window and the next effEditClose (or effClose).
  bool EditorOpen() const { return EditorWindow() != nullptr; }

  // Largest chunk effSetChunk accepts; anything bigger is refused as corrupt.
  static constexpr VstIntPtr kMaxChunkBytes = VstIntPtr(16) << 20;

private:
  // Every call into the host goes through here; 0 without a host callback.
  VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  const VstTimeInfo* HostTime(VstInt32 requestFlags);
  void RequestMidiIfNeeded();

  // Dispatcher groups.
  VstIntPtr DispatchProgramsAndSetup(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr DispatchParamText(VstInt32 opcode, VstInt32 index, void* ptr);
  VstIntPtr GetChunk(VstInt32 index, void* ptr);
  VstIntPtr SetChunk(VstInt32 index, VstIntPtr size, const void* ptr);
  VstIntPtr String2Parameter(VstInt32 index, const char* text);
  VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr DispatchEditor(VstInt32 opcode, void* ptr);
  VstIntPtr ProcessEvents(const void* events);
  VstIntPtr PinProperties(bool input, VstInt32 index, void* ptr);
  VstIntPtr SetSpeakerArrangement(VstIntPtr inputArr, void* outputArr);
  VstIntPtr CanDo(const char* text) const;
  VstIntPtr CopyIdentityText(const char* text, std::size_t capacity, void* ptr);

  static void FillArrangement(VstSpeakerArrangement& arrangement, int channels);
  void UpdateEditorRect();

  // Fields, in the order the host-facing record expects to see them documented.
  ERect editorRect{};
  audioMasterCallback hostCallback = nullptr;
  VstSpeakerArrangement inputArrangement{};
  VstSpeakerArrangement outputArrangement{};
  bool hostSpecificInitDone = false;
  StateChunk programChunk;
  StateChunk bankChunk;
  // effSetChunk copies the host's bytes here, so that a buffer handed out by effGetChunk stays
  // valid (and unchanged) until the next get of its kind, even when the host sets a chunk
  // straight from that buffer.
  StateChunk incomingChunk;
  AEffect effectRecord{};
};

// Defined by the effect library: builds the effect over this wrapper.
IEffectVST* CreateEffectInstance(IEffectVST::HostInstanceInfo info);

}  // namespace quivorant
