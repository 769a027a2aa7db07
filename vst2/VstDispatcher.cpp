// The dispatcher: every opcode the host sends that is not audio or a single parameter value.
// Each call runs under the instance lock; opcodes we do not act on answer 0.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vst2/IEffectVST.h"
#include "vst2/VstHostText.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {

VstIntPtr IEffectVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  // The editor's idle paints and may report edits to the host: like the Windows editor's timer,
  // it runs without the instance lock, so the audio thread never waits for a paint.
  if (opcode == effEditIdle) return DispatchEditor(opcode, ptr);
  InstanceLock::Scope hold(GetLock());
  switch (opcode) {
    case effIdle:
      return 0;

    case effOpen:
      HostSpecificInit();
      // The first delivery of every parameter is what makes the effect ready to process.
      NotifyAllParamsChanged();
      return 0;

    case effSetProgram:
    case effGetProgram:
    case effSetProgramName:
    case effGetProgramName:
    case effGetProgramNameIndexed:
    case effSetSampleRate:
    case effSetBlockSize:
    case effMainsChanged:
    case effSetBypass:
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effHasMidiProgramsChanged:
    case effBeginSetProgram:
    case effEndSetProgram:
    case effStartProcess:
    case effStopProcess:
      return DispatchProgramsAndSetup(opcode, index, value, ptr, opt);

    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
      return DispatchParamText(opcode, index, ptr);
    case effCanBeAutomated:
      return 1;
    case effString2Parameter:
      return String2Parameter(index, static_cast<const char*>(ptr));
    case effGetMidiKeyName: {
      auto* key = static_cast<MidiKeyName*>(ptr);
      if (key == nullptr) return 0;
      key->keyName[0] = '\0';
      const bool named = NoteName(key->thisKeyNumber, key->keyName, sizeof key->keyName);
      key->keyName[sizeof key->keyName - 1] = '\0';
      return named ? 1 : 0;
    }

    case effGetChunk:
      return GetChunk(index, ptr);
    case effSetChunk:
      return SetChunk(index, value, ptr);

    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
      return DispatchEditor(opcode, ptr);

    case effProcessEvents:
      return ProcessEvents(ptr);
    case effGetInputProperties:
      return PinProperties(true, index, ptr);
    case effGetOutputProperties:
      return PinProperties(false, index, ptr);
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
      return SetSpeakerArrangement(value, ptr);
    case effGetSpeakerArrangement:
      if (value != 0) *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement;
      if (ptr != nullptr) *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement;
      return 1;

    case effIdentify:
      return CCONST('N', 'v', 'E', 'f');
    case effGetEffectName:
      return CopyIdentityText(EffectName(), kVstMaxEffectNameLen, ptr);
    case effGetVendorString:
      return CopyIdentityText(MakerName(), kVstMaxVendorStrLen, ptr);
    case effGetProductString:
      return CopyIdentityText(ProductName(), kVstMaxProductStrLen, ptr);
    case effGetVendorVersion:
      return EffectVersion(true);
    case effGetVstVersion:
      return kVstVersion;
    case effCanDo:
      return CanDo(static_cast<const char*>(ptr));
    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);

    default:
      return 0;
  }
}

VstIntPtr IEffectVST::DispatchProgramsAndSetup(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  switch (opcode) {
    case effSetProgram:
      StoreCurrentPreset();
      // An out-of-range number is refused by RestorePreset (after the store above).
      if (value >= 0 && value <= INT32_MAX) RestorePreset(static_cast<int>(value));
      return 0;
    case effGetProgram:
      return CurrentPresetIndex();
    case effSetProgramName:
      if (ptr != nullptr) {
        char name[kPresetNameCapacity];
        CopyHostText(name, static_cast<const char*>(ptr), sizeof name);
        StoreCurrentPreset(name);
      }
      return 0;
    case effGetProgramName:
      if (ptr != nullptr) CopyHostText(static_cast<char*>(ptr), PresetName(CurrentPresetIndex()), kPresetNameCapacity);
      return 0;
    case effGetProgramNameIndexed: {
      if (ptr == nullptr) return 0;
      CopyHostText(static_cast<char*>(ptr), PresetName(index), kPresetNameCapacity);
      return static_cast<char*>(ptr)[0] != '\0' ? 1 : 0;
    }
    case effSetSampleRate:
      // A rate of zero, below zero or not a number would give the filter non-finite
      // coefficients; such a call keeps the rate the instance has.
      if (std::isfinite(opt) && opt > 0.0f) SetSampleRate(static_cast<double>(opt));
      ResetEffect();
      return 0;
    case effSetBlockSize:
      // A count below one would leave the single-precision path without scratch buffers; the
      // core keeps a huge one within its own limit.
      if (value >= 1) SetBlockSize(static_cast<int>(std::min<VstIntPtr>(value, kMaxBlockFrames)));
      ResetEffect();
      return 0;
    case effMainsChanged:
      ActivateProcessing(value != 0);
      return 0;
    case effSetBypass:
      Activate(value == 0);
      return 0;
    case effStopProcess:
      Activate(false);
      return 0;
    default:  // the MIDI program queries, begin/end set program, start process
      Activate(true);
      return 0;
  }
}

VstIntPtr IEffectVST::CanDo(const char* text) const {
  if (text == nullptr) return 0;
  // Whole-text matches: strcmp stops at the first difference, so a host text without a
  // terminator is never read past our own literals' length + 1.
  auto is = [text](const char* literal) { return std::strcmp(text, literal) == 0; };
  const int midi = MidiMode();
  if (is("receiveVstTimeInfo")) return 1;
  if ((is("sendVstEvents") || is("sendVstMidiEvent")) && (midi == 1 || midi == 3)) return 1;
  if ((is("receiveVstEvents") || is("receiveVstMidiEvent")) && (midi == 1 || midi == 2)) return 1;
  return 0;
}

VstIntPtr IEffectVST::CopyIdentityText(const char* text, std::size_t capacity, void* ptr) {
  if (ptr == nullptr) return 0;
  CopyHostText(static_cast<char*>(ptr), text, capacity);
  return 1;
}

}  // namespace quivorant
