// Every call the plug-in makes into the host: edit gestures, transport and tempo, host
// identification and MIDI out. Only these host opcodes are ever used; in particular latency
// changes and editor resizes are not announced.

#include <cmath>
#include <cstdint>

#include "plug/HostIdentification.h"
#include "vst2/IEffectVST.h"
#include "vst2/abi/VstEvents.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

constexpr std::size_t kHostTextCapacity = 256;

// The host's decimal version (30103 for 3.1.3) packed as major << 16 | minor << 8 | patch.
int PackDecimalVersion(VstIntPtr decimal) {
  // Negative or oversized answers would overflow the shifts; they carry no version anyway.
  if (decimal < 0 || decimal > INT32_MAX) return 0;
  const std::uint32_t v = static_cast<std::uint32_t>(decimal);
  const std::uint32_t major = v / 10000;
  const std::uint32_t minor = (v % 10000) / 100;
  const std::uint32_t patch = v - major * 10000 - minor * 100;
  return static_cast<int>((major << 16) | (minor << 8) | patch);
}

}  // namespace

VstIntPtr IEffectVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  // Some hosts (and scanners) hand us no callback at all.
  if (hostCallback == nullptr) return 0;
  return hostCallback(&effectRecord, opcode, index, value, ptr, opt);
}

const VstTimeInfo* IEffectVST::HostTime(VstInt32 requestFlags) {
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, requestFlags));
}

void IEffectVST::BeginParamEdit(int paramIdx) {
  // A wheel gesture still waiting for its end closes before a new gesture opens.
  FlushDeferredGesture();
  CallHost(audioMasterBeginEdit, paramIdx);
}

void IEffectVST::WheelEditHook(int paramIdx) { BeginWheelGesture(paramIdx); }

void IEffectVST::ParamEditToHost(int paramIdx, double normalizedValue) {
  CallHost(audioMasterAutomate, paramIdx, 0, nullptr, static_cast<float>(normalizedValue));
}

void IEffectVST::EndParamEdit(int paramIdx) { CallHost(audioMasterEndEdit, paramIdx); }

void IEffectVST::ProgramChangeToHost() { CallHost(audioMasterUpdateDisplay); }

int IEffectVST::SamplePosition() {
  const VstTimeInfo* time = HostTime(0);
  if (time == nullptr || !(time->samplePos >= 0.0)) return 0;
  // Positions of 2^31 samples and more wrap to their low 32 bits, as in the VST3 front end.
  const double rounded = std::floor(time->samplePos + 0.5);
  const double low = std::fmod(rounded, 4294967296.0);
  return static_cast<int>(static_cast<std::uint32_t>(low));
}

double IEffectVST::Tempo() {
  const VstTimeInfo* time = HostTime(kVstTempoValid);
  if (time == nullptr || (time->flags & kVstTempoValid) == 0 || !(time->tempo >= 0.0)) return 0.0;
  return time->tempo;
}

void IEffectVST::TimeSignature(int& numerator, int& denominator) {
  numerator = 0;
  denominator = 0;
  const VstTimeInfo* time = HostTime(kVstTimeSigValid);
  if (time == nullptr || (time->flags & kVstTimeSigValid) == 0) return;
  if (time->timeSigNumerator < 0 || time->timeSigDenominator < 0) return;
  numerator = time->timeSigNumerator;
  denominator = time->timeSigDenominator;
}

int IEffectVST::HostCode() {
  if (StoredHostCode() != kHostNotIdentified) return StoredHostCode();
  char product[kHostTextCapacity] = {};
  CallHost(audioMasterGetProductString, 0, 0, product);
  // Hosts may fill the whole buffer without a terminator.
  product[kHostTextCapacity - 1] = '\0';
  if (product[0] != '\0') {
    SetHost(product, PackDecimalVersion(CallHost(audioMasterGetVendorVersion)));
  } else {
    // No product string: an unknown host, never asked again.
    SetHost("", 0);
  }
  return StoredHostCode();
}

bool IEffectVST::SendMidiMessage(const MidiMessage& msg) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = msg.offset;
  event.midiData[0] = static_cast<char>(msg.status);
  event.midiData[1] = static_cast<char>(msg.data1);
  event.midiData[2] = static_cast<char>(msg.data2);
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &list) == 1;
}

bool IEffectVST::SendSysExMessage(const SysExMessage& msg) {
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiSysexEvent);
  event.deltaFrames = msg.offset;
  event.dumpBytes = msg.size;
  // The interface declares the bytes writable; hosts only read them during the call.
  event.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(msg.data));
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&event);
  return CallHost(audioMasterProcessEvents, 0, 0, &list) == 1;
}

}  // namespace quivorant
