// IEffectVST3: the plug-in core as one VST3 object that is both the audio processor and the
// edit controller (single-component), plus the unit and program-list answers.
//
// Class family: IEffectBase + SingleComponentEffect <- IEffectVST3 <- CLS_QUIVORANT.
//
// What a host does with it, in order:
//   1. factory createInstance -> one reference, IAudioProcessor (or any interface it asks)
//   2. initialize (host context): host identification, buses, parameters, every parameter
//      delivered once to the effect
//   3. setBusArrangements, activateBus, setupProcessing (sample size, rate, block size)
//   4. setActive (true), setProcessing (true), process ... (audio thread)
//   5. getState / setState at any time on the user-interface thread
//   6. setProcessing (false), setActive (false), terminate, release
//
// Threads: process runs on the audio thread and holds the instance lock for the whole call;
// getState/setState take it too. Everything else arrives on the user-interface thread.
//
// The file is in two layers. The upper part of the class is the readable work; the host entry
// points further down only check their arguments and forward, and none of them throws.
#pragma once

#include <cstdint>
#include <vector>

#include "plug/EffectIdentity.h"
#include "plug/HostTimeInfo.h"
#include "plug/IEffectBase.h"
#include "vst3/IEffectVST3View.h"
#include "vst3/sdk/helpers/vstsinglecomponenteffect.h"
#include "vst3/sdk/interfaces/ivstunits.h"

namespace quivorant {

// Parameter IDs beside the core's indices: program change and bypass.
inline constexpr Steinberg::Vst::ParamID kPresetParamId = 0x70727374;  // 'prst'
inline constexpr Steinberg::Vst::ParamID kBypassParamId = 0x62706173;  // 'bpas'

// Speaker arrangement used for a bus of `channels` channels (empty outside 1..6).
Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels);

class IEffectVST3 : public IEffectBase, public Steinberg::Vst::SingleComponentEffect, public Steinberg::Vst::IUnitInfo {
public:
  // A VST3 instance needs nothing from the host at construction.
  struct HostInstanceInfo {};

  IEffectVST3(const EffectIdentity& identity, HostInstanceInfo info, int sidechainChannels = 0);
  ~IEffectVST3() override;

  // ---- core operations as this wrapper implements them ------------------------------------

  void BeginParamEdit(int paramIdx) override;
  void WheelEditHook(int paramIdx) override;
  void ParamEditToHost(int paramIdx, double normalizedValue) override;
  void EndParamEdit(int paramIdx) override;
  void HostParamMenu(int paramIdx, int x, int y) override;
  void ProgramChangeToHost() override;
  int SamplePosition() override;
  double Tempo() override;
  void TimeSignature(int& numerator, int& denominator) override;
  void ResizeEditor(int width, int height) override;
  void SetLatency(int samples) override;
  bool SendMidiMessage(const MidiMessage& msg) override;
  bool SendSysExMessage(const SysExMessage& msg) override;
  virtual bool IsRenderingOffline();
  // 1 playing, 2 recording (not playing), 0 stopped.
  virtual int TransportState();
  virtual void TimeInfo(HostTimeInfo& info);

  int SidechainChannels() const { return sidechainChannels_; }
  // Views of the editor that hosts hold, in creation order; the first serves resize requests
  // and menus. terminate empties the list; the views themselves live on until released.
  const std::vector<IEffectVST3View*>& Views() const { return views_; }
  // A view leaves the list when it is destroyed.
  void ForgetView(IEffectVST3View* view);

  // ---- the work behind the host entries ---------------------------------------------------

private:
  void IdentifyHost(Steinberg::FUnknown* context);
  void CreateBuses();
  void CreateParameters();
  Steinberg::tresult ApplyBusArrangements(const Steinberg::Vst::SpeakerArrangement* inputs, int numIns,
                                          const Steinberg::Vst::SpeakerArrangement* outputs, int numOuts);
  void ReplaceMainBus(Steinberg::Vst::BusDirection dir, int channels, const char* name);
  Steinberg::tresult SetUpProcessing(const Steinberg::Vst::ProcessSetup& setup);
  void ProcessHostData(Steinberg::Vst::ProcessData& data);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyParameterValue(Steinberg::Vst::ParamID id, double normalized);
  void DeliverMidiEvents(Steinberg::Vst::IEventList* events);
  template <class Sample>
  struct HostChannels {
    Sample* const* inputs;
    Sample* const* outputs;
  };
  // Connects the channels as the block's buses say and gathers their host buffers. One input
  // and one output bus carrying exactly the effect's channels, output active and no sidechain
  // (WholeBuses: the usual case), are handed over as the host passed them.
  template <class Sample>
  HostChannels<Sample> ConnectChannels(Steinberg::Vst::ProcessData& data, std::vector<Sample*>& inputs,
                                       std::vector<Sample*>& outputs);
  bool WholeBuses(const Steinberg::Vst::ProcessData& data);
  // The host buffers of the connected channels, in channel order, as the core takes them
  // (ConnectInputs first). ConnectOutputs also connects each output bus's channels as the bus
  // is active.
  template <class Sample>
  Sample* const* InputBuffers(Steinberg::Vst::ProcessData& data, std::vector<Sample*>& channels);
  template <class Sample>
  Sample* const* ConnectOutputs(Steinberg::Vst::ProcessData& data, std::vector<Sample*>& channels);
  void ConnectInputs(const Steinberg::Vst::ProcessData& data);
  void SilenceOutputs(Steinberg::Vst::ProcessData& data);
  Steinberg::tresult SaveComponentState(Steinberg::IBStream* stream);
  Steinberg::tresult LoadComponentState(Steinberg::IBStream* stream);
  // The program-change parameter set through the controller: restore, then tell the host.
  Steinberg::tresult SelectPresetFromController(Steinberg::Vst::ParamValue value);
  int PresetIndexFromNormalized(double normalized) const;
  double NormalizedFromPresetIndex(double index) const;
  bool IsCoreParam(Steinberg::Vst::ParamID id) const { return id < static_cast<Steinberg::Vst::ParamID>(ParamCount()); }

  int sidechainChannels_;
  std::vector<IEffectVST3View*> views_;
  Steinberg::Vst::ProcessContext lastProcessContext_{};
  bool sidechainWasActive_ = false;
  bool processingSetUp_ = false;
  // One host buffer pointer per channel, for each precision and direction; sized at
  // construction so that processing never allocates.
  std::vector<float*> hostIn32_, hostOut32_;
  std::vector<double*> hostIn64_, hostOut64_;

  // ---- host entry points: check and forward -----------------------------------------------

public:
  // IPluginBase
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) noexcept override;
  Steinberg::tresult PLUGIN_API terminate() noexcept override;

  // IComponent
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) noexcept override;
  Steinberg::tresult setProcessorState(Steinberg::IBStream* state) noexcept override;
  Steinberg::tresult getProcessorState(Steinberg::IBStream* state) noexcept override;

  // IAudioProcessor
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) noexcept override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) noexcept override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() noexcept override;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) noexcept override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) noexcept override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) noexcept override;
  Steinberg::uint32 PLUGIN_API getTailSamples() noexcept override;

  // IEditController
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) noexcept override;
  Steinberg::tresult setEditorState(Steinberg::IBStream* state) noexcept override;
  Steinberg::tresult getEditorState(Steinberg::IBStream* state) noexcept override;
  Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized,
                                                      Steinberg::Vst::String128 string) noexcept override;
  Steinberg::Vst::ParamValue PLUGIN_API plainParamToNormalized(Steinberg::Vst::ParamID id,
                                                               Steinberg::Vst::ParamValue plain) noexcept override;
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID id) noexcept override;
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) noexcept override;
  Steinberg::IPluginView* PLUGIN_API createView(Steinberg::FIDString name) noexcept override;

  // IEditController2
  Steinberg::tresult PLUGIN_API setKnobMode(Steinberg::Vst::KnobMode mode) noexcept override;

  // IUnitInfo
  Steinberg::int32 PLUGIN_API getUnitCount() noexcept override;
  Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                            Steinberg::Vst::UnitInfo& info) noexcept override;
  Steinberg::int32 PLUGIN_API getProgramListCount() noexcept override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) noexcept override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) noexcept override;
  Steinberg::tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                               Steinberg::Vst::CString attributeId,
                                               Steinberg::Vst::String128 attributeValue) noexcept override;
  Steinberg::tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                                     Steinberg::int32 programIndex) noexcept override;
  Steinberg::tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                                    Steinberg::int16 midiPitch,
                                                    Steinberg::Vst::String128 name) noexcept override;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() noexcept override;
  Steinberg::tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) noexcept override;
  Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir,
                                             Steinberg::int32 busIndex, Steinberg::int32 channel,
                                             Steinberg::Vst::UnitID& unitId) noexcept override;
  Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId, Steinberg::int32 programIndex,
                                                   Steinberg::IBStream* data) noexcept override;

  OBJ_METHODS(IEffectVST3, SingleComponentEffect)
  REFCOUNT_METHODS(SingleComponentEffect)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queryIid, void** obj) noexcept override;
};

// Defined by the effect library: a new effect instance with one reference, or null.
IEffectVST3* CreateEffectInstance(IEffectVST3::HostInstanceInfo info);

}  // namespace quivorant
