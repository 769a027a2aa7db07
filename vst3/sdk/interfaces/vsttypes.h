// Scalar types, constants and speaker arrangements of the audio-plug-in part of the interface.
#pragma once

#include "vst3/sdk/interfaces/funknown.h"

namespace Steinberg {
namespace Vst {

using TChar = char16;
using String128 = TChar[128];
using CString = const char8*;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using KnobMode = int32;
using ParamID = uint32;
using ParamValue = double;
using TQuarterNotes = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using TSamples = int64;
using CtrlNumber = int16;
using ColorSpec = uint32;
using SpeakerArrangement = uint64;
using Speaker = uint64;
using NoteExpressionTypeID = uint32;
using NoteExpressionValue = double;

constexpr ParamID kNoParamId = 0xFFFFFFFF;
constexpr ParamID kMinParamId = 0;
constexpr ParamID kMaxParamId = 0x7FFFFFFF;
constexpr uint32 kNoTail = 0;
constexpr uint32 kInfiniteTail = 0xFFFFFFFF;
constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;
constexpr int32 kAllProgramInvalid = -1;

enum MediaTypes : int32 { kAudio = 0, kEvent, kNumMediaTypes };
enum BusDirections : int32 { kInput = 0, kOutput };
enum BusTypes : int32 { kMain = 0, kAux };
enum IoModes : int32 { kSimple = 0, kAdvanced, kOfflineProcessing };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch, kOffline };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 };
enum KnobModes : int32 { kCircularMode = 0, kRelativCircularMode, kLinearMode };

enum RestartFlags : int32 {
  kReloadComponent = 1 << 0,
  kIoChanged = 1 << 1,
  kParamValuesChanged = 1 << 2,
  kLatencyChanged = 1 << 3,
  kParamTitlesChanged = 1 << 4,
  kMidiCCAssignmentChanged = 1 << 5,
  kNoteExpressionChanged = 1 << 6,
  kIoTitlesChanged = 1 << 7,
  kPrefetchableSupportChanged = 1 << 8,
  kRoutingInfoChanged = 1 << 9,
  kKeyswitchChanged = 1 << 10,
  kParamIDMappingChanged = 1 << 11,
};

constexpr const char8* kVstAudioEffectClass = "Audio Module Class";
constexpr const char8* kVstComponentControllerClass = "Component Controller Class";

namespace ViewType {
constexpr const char8* kEditor = "editor";
}

namespace SpeakerArr {
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 1ull << 19;
constexpr SpeakerArrangement kStereo = 0x3;
constexpr SpeakerArrangement k30Cine = 0x7;
constexpr SpeakerArrangement k30Music = 0x103;
constexpr SpeakerArrangement k40Music = 0x33;
constexpr SpeakerArrangement k50 = 0x37;
constexpr SpeakerArrangement k51 = 0x3F;
constexpr SpeakerArrangement kAmbi1stOrderACN = 0xF00000;

// Channel count of an arrangement: one channel per set bit.
inline int32 getChannelCount(SpeakerArrangement arr) {
  int32 count = 0;
  while (arr != 0) {
    arr &= arr - 1;
    ++count;
  }
  return count;
}
}  // namespace SpeakerArr

}  // namespace Vst

constexpr const char8* kPlatformTypeHWND = "HWND";
constexpr const char8* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

}  // namespace Steinberg
