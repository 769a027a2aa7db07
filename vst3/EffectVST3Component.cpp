// The component side: buses, speaker arrangements and the processing set-up.
#include <algorithm>
#include <cmath>

#include "vst3/IEffectVST3.h"
#include "vst3/sdk/helpers/ustring.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
struct WideName {
  String128 text{};
  explicit WideName(const char* name) { str8ToStr16(text, name); }
};
}  // namespace

void IEffectVST3::CreateBuses() {
  const int mainInputs = InputChannelCount() - sidechainChannels_;
  if (mainInputs >= 1 && mainInputs <= 6)
    addAudioInput(WideName(InputBusName(0)).text, ArrangementForChannels(mainInputs), kMain, BusInfo::kDefaultActive);
  if (IsInstrument()) {
    for (int pair = 0; pair * 2 < OutputChannelCount(); ++pair)
      addAudioOutput(WideName(OutputBusName(pair)).text, SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
  } else {
    addAudioOutput(WideName(OutputBusName(0)).text, ArrangementForChannels(OutputChannelCount()), kMain,
                   BusInfo::kDefaultActive);
  }
  if (sidechainChannels_ != 0) {
    const int sidechain = std::min(sidechainChannels_, 2);
    addAudioInput(WideName(InputBusName(1)).text, ArrangementForChannels(sidechain), kAux, 0);
  }
  if (MidiMode() != 0) addEventInput(WideName("MIDI Input").text, 1, kMain, BusInfo::kDefaultActive);
}

void IEffectVST3::ReplaceMainBus(BusDirection dir, int channels, const char* name) {
  BusList* list = getBusList(kAudio, dir);
  auto* old = static_cast<AudioBus*>(list->at(0));
  if (old == nullptr || SpeakerArr::getChannelCount(old->getArrangement()) == channels) return;
  auto* bus = new AudioBus(WideName(name).text, kMain, BusInfo::kDefaultActive, ArrangementForChannels(channels));
  // A host that activated the bus before changing its layout keeps it active.
  bus->setActive(old->isActive());
  list->replaceAt(0, bus);
}

tresult IEffectVST3::ApplyBusArrangements(const SpeakerArrangement* inputs, int numIns,
                                          const SpeakerArrangement* outputs, int numOuts) {
  SetInputConnections(0, InputChannelCount(), false);
  SetOutputConnections(0, OutputChannelCount(), false);
  const int in = SpeakerArr::getChannelCount(inputs[0]);
  const int out = SpeakerArr::getChannelCount(outputs[0]);
  if (!IsLegalIO(in, out)) return kResultFalse;
  ReplaceMainBus(kInput, in, "Input");
  ReplaceMainBus(kOutput, out, "Output");
  (void)numOuts;
  if (sidechainChannels_ == 0) return numIns == 1 ? kResultTrue : kResultFalse;
  if (numIns != 2) return kResultFalse;
  auto* side = static_cast<AudioBus*>(audioInputs.at(1));
  const int sideChannels = SpeakerArr::getChannelCount(inputs[1]);
  if (side == nullptr || SpeakerArr::getChannelCount(side->getArrangement()) != sideChannels) {
    auto* bus = new AudioBus(WideName("Sidechain Input").text, kAux, 0, ArrangementForChannels(sideChannels));
    audioInputs.replaceAt(1, bus);
  }
  return kResultTrue;
}

tresult IEffectVST3::SetUpProcessing(const ProcessSetup& setup) {
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64) return kResultFalse;
  // A rate of 0, below 0 or not a number would make every filter coefficient meaningless.
  if (!(setup.sampleRate > 0.) || !std::isfinite(setup.sampleRate)) return kResultFalse;
  SetBypassed(false);
  SetSampleRate(setup.sampleRate);
  SetBlockSize(std::max(setup.maxSamplesPerBlock, 1));
  ResetEffect();
  processSetup = setup;
  processingSetUp_ = true;
  return kResultOk;
}

}  // namespace quivorant
