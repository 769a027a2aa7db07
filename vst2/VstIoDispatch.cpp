// Events, pins and speaker arrangements.

#include <algorithm>
#include <cstdio>

#include "vst2/IEffectVST.h"
#include "vst2/abi/VstEvents.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

VstIntPtr IEffectVST::ProcessEvents(const void* ptr) {
  const auto* list = static_cast<const VstEvents*>(ptr);
  if (list == nullptr) return 0;
  for (VstInt32 i = 0; i < list->numEvents; ++i) {
    const VstEvent* event = list->events[i];
    if (event == nullptr) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      MidiMessage msg;
      msg.offset = midi->deltaFrames;
      msg.status = static_cast<std::uint8_t>(midi->midiData[0]);
      msg.data1 = static_cast<std::uint8_t>(midi->midiData[1]);
      msg.data2 = static_cast<std::uint8_t>(midi->midiData[2]);
      MidiMessageIn(msg);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      SysExMessage msg;
      msg.offset = sysex->deltaFrames;
      msg.size = sysex->dumpBytes;
      msg.data = reinterpret_cast<const std::uint8_t*>(sysex->sysexDump);
      SysExMessageIn(msg);
    }
  }
  return 1;
}

VstIntPtr IEffectVST::PinProperties(bool input, VstInt32 index, void* ptr) {
  const int count = input ? InputChannelCount() : OutputChannelCount();
  auto* pin = static_cast<VstPinProperties*>(ptr);
  if (pin == nullptr || index < 0 || index >= count) return 0;
  // Even pins with a partner are the first of a stereo pair.
  pin->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < count - 1) pin->flags |= kVstPinIsStereo;
  std::snprintf(pin->label, sizeof pin->label, input ? "Input %d" : "Output %d", index + 1);
  return 1;
}

VstIntPtr IEffectVST::SetSpeakerArrangement(VstIntPtr inputArr, void* outputArr) {
  const auto* in = reinterpret_cast<const VstSpeakerArrangement*>(inputArr);
  const auto* out = static_cast<const VstSpeakerArrangement*>(outputArr);
  if (in != nullptr) {
    const int n = std::clamp(in->numChannels, 0, InputChannelCount());
    SetInputConnections(0, n, true);
    SetInputConnections(n, InputChannelCount() - n, false);
  }
  if (out != nullptr) {
    const int n = std::clamp(out->numChannels, 0, OutputChannelCount());
    SetOutputConnections(0, n, true);
    SetOutputConnections(n, OutputChannelCount() - n, false);
  }
  return 1;
}

}  // namespace quivorant
