// A component and its edit controller in one object: buses and processing set-up on top of
// EditController. One initialize/terminate serves both roles.
//
// IComponent's state pair is routed to setProcessorState/getProcessorState, and the
// controller's to setEditorState/getEditorState (see editcontroller.h), so the two never share
// an override.
#pragma once

#include "vst3/sdk/helpers/editcontroller.h"
#include "vst3/sdk/helpers/vstbus.h"
#include "vst3/sdk/interfaces/ivstaudioprocessor.h"
#include "vst3/sdk/interfaces/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

class ComponentStateSlots : public IComponent {
public:
  tresult PLUGIN_API setState(IBStream* state) final { return setProcessorState(state); }
  tresult PLUGIN_API getState(IBStream* state) final { return getProcessorState(state); }
  virtual tresult setProcessorState(IBStream* state) = 0;
  virtual tresult getProcessorState(IBStream* state) = 0;
};

class SingleComponentEffect : public EditController,
                              public ComponentStateSlots,
                              public IAudioProcessor,
                              public IProcessContextRequirements {
public:
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  // IComponent
  tresult PLUGIN_API getControllerClassId(TUID classId) override;
  tresult PLUGIN_API setIoMode(IoMode mode) override;
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
  tresult PLUGIN_API setActive(TBool state) override;
  tresult setProcessorState(IBStream* state) override;
  tresult getProcessorState(IBStream* state) override;

  // IAudioProcessor
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                        int32 numOuts) override;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
  uint32 PLUGIN_API getLatencySamples() override;
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
  tresult PLUGIN_API setProcessing(TBool state) override;
  tresult PLUGIN_API process(ProcessData& data) override;
  uint32 PLUGIN_API getTailSamples() override;

  // IProcessContextRequirements
  uint32 PLUGIN_API getProcessContextRequirements() override;

  // Bus helpers; each answers the new bus, owned by its list.
  AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventOutput(const TChar* name, int32 channels = 16, BusType type = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  void removeAudioBusses();
  void removeEventBusses();
  void removeAllBusses();
  // Null for an unknown media type or direction.
  BusList* getBusList(MediaType type, BusDirection dir);

  const ProcessSetup& getProcessSetup() const { return processSetup; }

  OBJ_METHODS(SingleComponentEffect, EditController)
  REFCOUNT_METHODS(EditController)
  tresult PLUGIN_API queryInterface(const TUID queryIid, void** obj) override;

protected:
  BusList audioInputs{kAudio, kInput};
  BusList audioOutputs{kAudio, kOutput};
  BusList eventInputs{kEvent, kInput};
  BusList eventOutputs{kEvent, kOutput};
  ProcessSetup processSetup{};
  uint32 processContextRequirements = 0;
};

}  // namespace Vst
}  // namespace Steinberg
