// The process call: transport, parameter queues, MIDI, and the audio through the core, which
// cuts, binds and converts the block.
#include <algorithm>

#include "vst3/IEffectVST3.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
float** ChannelsOf(AudioBusBuffers& bus, float*) { return bus.channelBuffers32; }
double** ChannelsOf(AudioBusBuffers& bus, double*) { return bus.channelBuffers64; }

// The channels of a host bus that can be read at all: none when the pointer array is missing.
int UsableChannels(const AudioBusBuffers& bus) {
  return bus.channelBuffers32 == nullptr || bus.numChannels < 0 ? 0 : bus.numChannels;
}

// Gives channels [first, first + count) the buffers of `bus` in turn (null where it has none).
template <class Sample>
void TakeBus(AudioBusBuffers& bus, std::vector<Sample*>& channels, int first, int count) {
  Sample** host = ChannelsOf(bus, static_cast<Sample*>(nullptr));
  const int usable = UsableChannels(bus);
  const int end = std::min(first + count, static_cast<int>(channels.size()));
  for (int c = first; c < end; ++c)
    channels[static_cast<std::size_t>(c)] = c - first < usable ? host[c - first] : nullptr;
}

// Keeps the buffers of the connected channels, in order: the list the core consumes.
template <class Sample, class Connected>
Sample* const* PackConnected(std::vector<Sample*>& channels, Connected connected) {
  std::size_t next = 0;
  for (std::size_t c = 0; c < channels.size(); ++c) {
    if (connected(static_cast<int>(c))) channels[next++] = channels[c];
  }
  return channels.data();
}
}  // namespace

void IEffectVST3::ProcessHostData(ProcessData& data) {
  InstanceLock::Scope hold(GetLock());
  if (data.processContext != nullptr) lastProcessContext_ = *data.processContext;
  ApplyParameterChanges(data.inputParameterChanges);
  if (MidiMode() != 0) DeliverMidiEvents(data.inputEvents);
  if (data.numSamples <= 0) return;  // a parameter flush
  // Buffers of another sample width than the one set up cannot be read safely.
  if (data.symbolicSampleSize != processSetup.symbolicSampleSize) return;
  if (processSetup.symbolicSampleSize == kSample64) {
    const HostChannels<double> host = ConnectChannels(data, hostIn64_, hostOut64_);
    ProcessHostBlock(host.inputs, host.outputs, data.numSamples);
  } else {
    const HostChannels<float> host = ConnectChannels(data, hostIn32_, hostOut32_);
    ProcessHostBlock(host.inputs, host.outputs, data.numSamples, OutputMode::kReplace);
  }
}

template <class Sample>
IEffectVST3::HostChannels<Sample> IEffectVST3::ConnectChannels(ProcessData& data, std::vector<Sample*>& inputs,
                                                               std::vector<Sample*>& outputs) {
  if (WholeBuses(data)) {
    SetInputConnections(0, InputChannelCount(), true);
    SetOutputConnections(0, OutputChannelCount(), true);
    return {ChannelsOf(data.inputs[0], static_cast<Sample*>(nullptr)),
            ChannelsOf(data.outputs[0], static_cast<Sample*>(nullptr))};
  }
  ConnectInputs(data);
  Sample* const* connectedOutputs = ConnectOutputs(data, outputs);
  return {InputBuffers(data, inputs), connectedOutputs};
}

bool IEffectVST3::WholeBuses(const ProcessData& data) {
  if (sidechainChannels_ != 0 || data.numInputs != 1 || data.numOutputs != 1 || data.inputs == nullptr ||
      data.outputs == nullptr)
    return false;
  if (UsableChannels(data.inputs[0]) != InputChannelCount() || UsableChannels(data.outputs[0]) != OutputChannelCount())
    return false;
  Bus* bus = audioOutputs.at(0);
  return bus != nullptr && bus->isActive();
}

void IEffectVST3::ApplyParameterChanges(IParameterChanges* changes) {
  if (changes == nullptr) return;
  const int32 count = changes->getParameterCount();
  for (int32 i = 0; i < count; ++i) {
    IParamValueQueue* queue = changes->getParameterData(i);
    if (queue == nullptr) continue;
    const int32 points = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.;
    // Changes apply once per block: only the last point of each queue counts.
    if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk) continue;
    ApplyParameterValue(queue->getParameterId(), value);
  }
}

void IEffectVST3::ApplyParameterValue(ParamID id, double normalized) {
  if (normalized != normalized) return;  // NaN carries no value
  normalized = std::clamp(normalized, 0., 1.);
  if (id == kBypassParamId) {
    SetBypassed(normalized > 0.5);
  } else if (id == kPresetParamId) {
    if (PresetCount() > 0) RestorePreset(PresetIndexFromNormalized(normalized), ControlPush::kDeferred);
  } else if (IsCoreParam(id)) {
    // The controls follow on the user-interface thread (setParamNormalized, which hosts call
    // for the same automation, or the next query).
    SetParamFromHost(static_cast<int>(id), normalized, HostWrite::kAudioThread);
  }
}

void IEffectVST3::DeliverMidiEvents(IEventList* events) {
  if (events == nullptr) return;
  const int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i) {
    Event e{};
    if (events->getEvent(i, e) != kResultOk) continue;
    MidiMessage msg;
    msg.offset = e.sampleOffset;
    if (e.type == Event::kNoteOnEvent) {
      msg.status = static_cast<std::uint8_t>(0x90 | (e.noteOn.channel & 0x0F));
      msg.data1 = static_cast<std::uint8_t>(e.noteOn.pitch & 0x7F);
      const float velocity = std::clamp(e.noteOn.velocity, 0.f, 1.f);
      msg.data2 = static_cast<std::uint8_t>(velocity * 127.f);
    } else if (e.type == Event::kNoteOffEvent) {
      msg.status = static_cast<std::uint8_t>(0x80 | (e.noteOff.channel & 0x0F));
      msg.data1 = static_cast<std::uint8_t>(e.noteOff.pitch & 0x7F);
      msg.data2 = 0;
    } else {
      continue;
    }
    MidiMessageIn(msg);
  }
}

void IEffectVST3::ConnectInputs(const ProcessData& data) {
  const int inputs = InputChannelCount();
  if (data.numInputs < 1 || data.inputs == nullptr) {
    SetInputConnections(0, inputs, false);
    return;
  }
  const int main = UsableChannels(data.inputs[0]);
  if (sidechainChannels_ == 0) {
    SetInputConnections(0, main, true);
    SetInputConnections(main, inputs - main, false);
    return;
  }
  Bus* side = audioInputs.at(1);
  if (side != nullptr && side->isActive()) {
    sidechainWasActive_ = true;
    SetInputConnections(0, inputs, true);
  } else {
    if (sidechainWasActive_) ZeroScratch();
    sidechainWasActive_ = false;
    SetInputConnections(0, inputs, true);
    SetInputConnections(main, inputs - sidechainChannels_, false);
  }
}

template <class Sample>
Sample* const* IEffectVST3::InputBuffers(ProcessData& data, std::vector<Sample*>& channels) {
  std::fill(channels.begin(), channels.end(), nullptr);
  const int inputs = InputChannelCount();
  if (data.numInputs >= 1 && data.inputs != nullptr) {
    const int main = inputs - sidechainChannels_;
    TakeBus(data.inputs[0], channels, 0, main);
    if (sidechainChannels_ != 0 && data.numInputs >= 2) TakeBus(data.inputs[1], channels, sidechainChannels_, main);
  }
  return PackConnected(channels, [this](int c) { return IsInputConnected(c); });
}

template <class Sample>
Sample* const* IEffectVST3::ConnectOutputs(ProcessData& data, std::vector<Sample*>& channels) {
  const int outputs = OutputChannelCount();
  int k = 0;
  std::size_t next = 0;
  for (int32 j = 0; data.outputs != nullptr && j < data.numOutputs && k < outputs; ++j) {
    AudioBusBuffers& bus = data.outputs[j];
    const int n = std::min(UsableChannels(bus), outputs - k);
    Bus* info = audioOutputs.at(j);
    const bool active = info != nullptr && info->isActive();
    SetOutputConnections(k, n, active);
    Sample** host = ChannelsOf(bus, static_cast<Sample*>(nullptr));
    for (int c = 0; active && c < n; ++c) channels[next++] = host[c];
    k += n;
  }
  SetOutputConnections(k, outputs - k, false);
  return channels.data();
}

void IEffectVST3::SilenceOutputs(ProcessData& data) {
  if (data.outputs == nullptr || data.numSamples <= 0) return;
  const bool wide = data.symbolicSampleSize == kSample64;
  for (int32 j = 0; j < data.numOutputs; ++j) {
    AudioBusBuffers& bus = data.outputs[j];
    for (int c = 0; c < UsableChannels(bus); ++c) {
      if (wide && bus.channelBuffers64[c] != nullptr)
        std::fill_n(bus.channelBuffers64[c], data.numSamples, 0.0);
      else if (!wide && bus.channelBuffers32[c] != nullptr)
        std::fill_n(bus.channelBuffers32[c], data.numSamples, 0.0f);
    }
  }
}

}  // namespace quivorant
