// The process call: transport, parameter queues, MIDI, and the audio through the core.
//
// A block longer than the scratch buffers is processed in pieces of at most BlockSize()
// frames, so neither precision ever reads or writes past a scratch buffer and nothing is
// allocated on the audio thread.
#include <algorithm>
#include <type_traits>

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

template <class Sample>
void AttachRange(IEffectBase& core, bool input, int first, int count, Sample** buffers, int frames) {
  if constexpr (std::is_same_v<Sample, float>) {
    if (input) core.AttachInputs(first, count, buffers, frames);
    else core.AttachOutputs(first, count, buffers);
  } else {
    (void)frames;
    if (input) core.AttachInputs(first, count, buffers);
    else core.AttachOutputs(first, count, buffers);
  }
}

// Points piece[first..] at the host channels of `bus`, `offset` frames in.
template <class Sample>
Sample** OffsetChannels(AudioBusBuffers& bus, std::vector<Sample*>& piece, int first, int count, int offset) {
  Sample** host = ChannelsOf(bus, static_cast<Sample*>(nullptr));
  const int n = std::min(UsableChannels(bus), std::min(count, static_cast<int>(piece.size()) - first));
  for (int c = 0; c < n; ++c) {
    Sample* channel = host[c];
    piece[static_cast<std::size_t>(first + c)] = channel != nullptr ? channel + offset : nullptr;
  }
  return piece.data() + first;
}
}  // namespace

void IEffectVST3::ProcessHostBlock(ProcessData& data) {
  InstanceLock::Scope hold(GetLock());
  if (data.processContext != nullptr) lastProcessContext_ = *data.processContext;
  ApplyParameterChanges(data.inputParameterChanges);
  if (MidiMode() != 0) DeliverMidiEvents(data.inputEvents);
  if (data.numSamples <= 0) return;  // a parameter flush
  // Buffers of another sample width than the one set up cannot be read safely.
  if (data.symbolicSampleSize != processSetup.symbolicSampleSize) return;
  if (processSetup.symbolicSampleSize == kSample64)
    ProcessAudio(data, pieceIn64_, pieceOut64_);
  else
    ProcessAudio(data, pieceIn32_, pieceOut32_);
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
    // The editor draws on the user-interface thread: its controls follow from there
    // (setParamNormalized, which hosts call for the same automation, or the next query).
    const int index = static_cast<int>(id);
    GetParam(index)->SetFromNormalized(normalized);
    DeferControlUpdate(index);
    HandleParamChange(index);
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

void IEffectVST3::ConnectOutputs(const ProcessData& data) {
  const int outputs = OutputChannelCount();
  SetOutputConnections(0, outputs, false);
  if (data.outputs == nullptr) return;
  int k = 0;
  for (int32 j = 0; j < data.numOutputs && k < outputs; ++j) {
    const int n = UsableChannels(data.outputs[j]);
    Bus* bus = audioOutputs.at(j);
    SetOutputConnections(k, n, bus != nullptr && bus->isActive());
    SetOutputConnections(k + n, outputs - n - k, false);
    k += n;
  }
}

template <class Sample>
void IEffectVST3::AttachPiece(ProcessData& data, int offset, int frames, std::vector<Sample*>& pieceIn,
                              std::vector<Sample*>& pieceOut) {
  const int inputs = InputChannelCount();
  if (data.numInputs >= 1 && data.inputs != nullptr) {
    if (sidechainChannels_ == 0) {
      AttachRange(*this, true, 0, inputs, OffsetChannels(data.inputs[0], pieceIn, 0, inputs, offset), frames);
    } else {
      const int count = inputs - sidechainChannels_;
      AttachRange(*this, true, 0, count, OffsetChannels(data.inputs[0], pieceIn, 0, count, offset), frames);
      if (data.numInputs >= 2)
        AttachRange(*this, true, sidechainChannels_, count,
                    OffsetChannels(data.inputs[1], pieceIn, sidechainChannels_, count, offset), frames);
    }
  }
  if (data.outputs == nullptr) return;
  const int outputs = OutputChannelCount();
  int k = 0;
  for (int32 j = 0; j < data.numOutputs && k < outputs; ++j) {
    const int n = std::min(UsableChannels(data.outputs[j]), outputs - k);
    AttachRange(*this, false, k, n, OffsetChannels(data.outputs[j], pieceOut, k, n, offset), frames);
    k += n;
  }
}

template <class Sample>
void IEffectVST3::ProcessAudio(ProcessData& data, std::vector<Sample*>& pieceIn, std::vector<Sample*>& pieceOut) {
  using Precision = std::conditional_t<std::is_same_v<Sample, float>, SinglePrecision, DoublePrecision>;
  ConnectInputs(data);
  ConnectOutputs(data);
  const int piece = std::max(1, BlockSize());
  for (int done = 0; done < data.numSamples;) {
    const int frames = std::min(piece, data.numSamples - done);
    AttachPiece(data, done, frames, pieceIn, pieceOut);
    if (IsBypassed())
      PassThrough(Precision{}, frames);
    else
      ProcessBuffers(Precision{}, frames);
    done += frames;
  }
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
