#include "tests/support/Vst2Host.h"

#include <algorithm>
#include <cstring>

#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {
RecordingHost* currentHost = nullptr;
}

RecordingHost::RecordingHost() : previous_(currentHost) {
  currentHost = this;
  timeInfo.sampleRate = 44100.0;
}

RecordingHost::~RecordingHost() { currentHost = previous_; }

VstIntPtr VSTCALLBACK RecordingHost::Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
  if (currentHost == nullptr) return 0;
  currentHost->calls.push_back(HostCall{opcode, index, value, ptr != nullptr, opt});
  currentHost->effects.push_back(effect);
  return currentHost->Answer(opcode, value, ptr);
}

VstIntPtr RecordingHost::Answer(VstInt32 opcode, VstIntPtr, void* ptr) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return answerTime ? reinterpret_cast<VstIntPtr>(&timeInfo) : 0;
    case audioMasterGetProductString:
      if (ptr == nullptr) return 0;
      productBufferSeen.assign(static_cast<char*>(ptr), static_cast<char*>(ptr) + 16);
      if (productString.empty()) return 0;
      std::memcpy(ptr, productString.c_str(), std::min<std::size_t>(productString.size() + 1, 256));
      return 1;
    case audioMasterGetVendorVersion:
      return vendorVersion;
    case audioMasterProcessEvents: {
      const auto* list = static_cast<const VstEvents*>(ptr);
      if (list == nullptr) return 0;
      for (VstInt32 i = 0; i < list->numEvents; ++i) {
        const VstEvent* event = list->events[i];
        if (event == nullptr) continue;
        if (event->type == kVstMidiType) {
          midiOut.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        } else if (event->type == kVstSysExType) {
          const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
          sysexOut.push_back(*sysex);
          sysexBytes.emplace_back(sysex->sysexDump, sysex->sysexDump + sysex->dumpBytes);
        }
      }
      return processEventsAnswer;
    }
    default:
      return 0;
  }
}

std::vector<HostCall> RecordingHost::CallsOf(VstInt32 opcode) const {
  std::vector<HostCall> out;
  for (const HostCall& call : calls) {
    if (call.opcode == opcode) out.push_back(call);
  }
  return out;
}

std::vector<VstInt32> RecordingHost::Opcodes(const std::vector<VstInt32>& ignored) const {
  std::vector<VstInt32> out;
  for (const HostCall& call : calls) {
    if (std::find(ignored.begin(), ignored.end(), call.opcode) == ignored.end()) out.push_back(call.opcode);
  }
  return out;
}

}  // namespace quivorant::test
