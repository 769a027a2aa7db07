// Construction, the core's host-facing operations, and the view list.
#include <algorithm>
#include <cstdio>

#include "vst3/IEffectVST3.h"
#include "vst3/sdk/interfaces/ivstcontextmenu.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
EffectIdentity AsVst3Identity(const EffectIdentity& identity) {
  EffectIdentity copy = identity;
  copy.hostApi = kHostApiVst3;
  return copy;
}
}  // namespace

SpeakerArrangement ArrangementForChannels(int channels) {
  switch (channels) {
    case 1:
      return SpeakerArr::kMono;
    case 2:
      return SpeakerArr::kStereo;
    case 3:
      return SpeakerArr::k30Music;
    case 4:
      return SpeakerArr::kAmbi1stOrderACN;
    case 5:
      return SpeakerArr::k50;
    case 6:
      return SpeakerArr::k51;
    default:
      return SpeakerArr::kEmpty;
  }
}

IEffectVST3::IEffectVST3(const EffectIdentity& identity, HostInstanceInfo, int sidechainChannels)
    : IEffectBase(AsVst3Identity(identity)), sidechainChannels_(sidechainChannels) {
  SetInputConnections(0, InputChannelCount(), true);
  SetOutputConnections(0, OutputChannelCount(), true);
  SetInputBusName(0, "Main Input");
  if (sidechainChannels_ != 0) SetInputBusName(1, "Aux Input");
  if (IsInstrument()) {
    for (int pair = 0; pair * 2 < OutputChannelCount(); ++pair) {
      char name[32];
      std::snprintf(name, sizeof name, "Output %i", pair + 1);
      SetOutputBusName(pair, name);
    }
  } else {
    SetOutputBusName(0, "Output");
  }
  // The effect follows the host's tempo and transport.
  processContextRequirements =
      IProcessContextRequirements::kNeedTempo | IProcessContextRequirements::kNeedTimeSignature |
      IProcessContextRequirements::kNeedProjectTimeMusic | IProcessContextRequirements::kNeedBarPositionMusic |
      IProcessContextRequirements::kNeedCycleMusic | IProcessContextRequirements::kNeedTransportState;
  hostIn32_.assign(static_cast<std::size_t>(InputChannelCount()), nullptr);
  hostIn64_.assign(static_cast<std::size_t>(InputChannelCount()), nullptr);
  hostOut32_.assign(static_cast<std::size_t>(OutputChannelCount()), nullptr);
  hostOut64_.assign(static_cast<std::size_t>(OutputChannelCount()), nullptr);
}

IEffectVST3::~IEffectVST3() = default;

void IEffectVST3::BeginParamEdit(int paramIdx) {
  // A wheel gesture still waiting for its end closes before a new gesture opens, so the host
  // never sees two open gestures on one parameter.
  FlushDeferredGesture();
  beginEdit(static_cast<ParamID>(paramIdx));
}

void IEffectVST3::WheelEditHook(int paramIdx) { BeginWheelGesture(paramIdx); }

void IEffectVST3::ParamEditToHost(int paramIdx, double normalizedValue) {
  performEdit(static_cast<ParamID>(paramIdx), normalizedValue);
}

void IEffectVST3::EndParamEdit(int paramIdx) { endEdit(static_cast<ParamID>(paramIdx)); }

void IEffectVST3::HostParamMenu(int paramIdx, int x, int y) {
  if (componentHandler == nullptr || views_.empty()) return;
  IComponentHandler3* handler3 = queryInterfaceOf<IComponentHandler3>(componentHandler);
  if (handler3 == nullptr) return;
  const ParamID id = static_cast<ParamID>(paramIdx);
  IContextMenu* menu = handler3->createContextMenu(views_.front(), &id);
  if (menu != nullptr) {
    menu->popup(x, y);
    menu->release();
  }
  handler3->release();
}

void IEffectVST3::ProgramChangeToHost() {
  // Every parameter may have moved; the host reads them all back with getParamNormalized.
  if (componentHandler != nullptr) componentHandler->restartComponent(kParamValuesChanged);
}

int IEffectVST3::SamplePosition() {
  return static_cast<int>(static_cast<std::uint32_t>(lastProcessContext_.projectTimeSamples));
}

double IEffectVST3::Tempo() { return lastProcessContext_.tempo; }

void IEffectVST3::TimeSignature(int& numerator, int& denominator) {
  numerator = lastProcessContext_.timeSigNumerator;
  denominator = lastProcessContext_.timeSigDenominator;
}

void IEffectVST3::ResizeEditor(int width, int height) {
  if (Editor() == nullptr || views_.empty()) return;
  views_.front()->RequestResize(width, height);
}

void IEffectVST3::SetLatency(int samples) {
  IEffectBase::SetLatency(samples);
  if (componentHandler != nullptr) componentHandler->restartComponent(kLatencyChanged);
}

bool IEffectVST3::SendMidiMessage(const MidiMessage&) { return false; }
bool IEffectVST3::SendSysExMessage(const SysExMessage&) { return false; }

bool IEffectVST3::IsRenderingOffline() { return getProcessSetup().processMode == kOffline; }

int IEffectVST3::TransportState() {
  if (lastProcessContext_.state & ProcessContext::kPlaying) return 1;
  if (lastProcessContext_.state & ProcessContext::kRecording) return 2;
  return 0;
}

void IEffectVST3::TimeInfo(HostTimeInfo& info) {
  const ProcessContext& c = lastProcessContext_;
  info.tempo = c.tempo;
  info.samplePos = static_cast<double>(c.projectTimeSamples);
  info.ppqPos = c.projectTimeMusic;
  info.lastBarPos = c.barPositionMusic;
  info.cycleStart = c.cycleStartMusic;
  info.cycleEnd = c.cycleEndMusic;
  info.numerator = c.timeSigNumerator;
  info.denominator = c.timeSigDenominator;
  info.transportIsRunning = (c.state & ProcessContext::kPlaying) != 0;
  info.transportLoop = (c.state & ProcessContext::kCycleActive) != 0;
}

void IEffectVST3::ForgetView(IEffectVST3View* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

int IEffectVST3::PresetIndexFromNormalized(double normalized) const {
  if (!(normalized >= 0.)) normalized = 0.;
  if (normalized > 1.) normalized = 1.;
  return static_cast<int>((PresetCount() - 1) * normalized + 0.5);
}

double IEffectVST3::NormalizedFromPresetIndex(double index) const {
  // A single preset has no range to normalise over.
  return PresetCount() > 1 ? index / (PresetCount() - 1) : 0.;
}

}  // namespace quivorant
