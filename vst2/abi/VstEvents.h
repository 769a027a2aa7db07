// Event lists in both directions (effProcessEvents, audioMasterProcessEvents). The two-slot array
// is a placeholder: the sender allocates as many pointer slots as it has events.
#pragma once

#include <cstddef>

#include "vst2/abi/VstBase.h"

enum VstEventTypes : VstInt32 {
  kVstMidiType = 1,
  kVstAudioType,      // deprecated
  kVstVideoType,      // deprecated
  kVstParameterType,  // deprecated
  kVstTriggerType,    // deprecated
  kVstSysExType,
};

enum VstMidiEventFlags : VstInt32 { kVstMidiEventIsRealtime = 1 };

#pragma pack(push, 8)

struct VstEvent {
  VstInt32 type;
  VstInt32 byteSize;  // hosts disagree on what it counts: switch on type instead
  VstInt32 deltaFrames;
  VstInt32 flags;
  char data[16];
};

struct VstEvents {
  VstInt32 numEvents;
  VstIntPtr reserved;
  VstEvent* events[2];
};

struct VstMidiEvent {
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 noteLength;
  VstInt32 noteOffset;
  char midiData[4];
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};

struct VstMidiSysexEvent {
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 dumpBytes;
  VstIntPtr resvd1;
  char* sysexDump;  // owned by the sender, valid during the call
  VstIntPtr resvd2;
};

#pragma pack(pop)

static_assert(sizeof(VstEvent) == 32, "VstEvent size");
static_assert(sizeof(VstEvents) == 32, "VstEvents size");
static_assert(offsetof(VstEvents, reserved) == 8 && offsetof(VstEvents, events) == 16, "VstEvents layout");
static_assert(sizeof(VstMidiEvent) == 32, "VstMidiEvent size");
static_assert(offsetof(VstMidiEvent, noteLength) == 16 && offsetof(VstMidiEvent, midiData) == 24,
              "VstMidiEvent layout");
static_assert(offsetof(VstMidiEvent, detune) == 28 && offsetof(VstMidiEvent, reserved2) == 31, "VstMidiEvent layout");
static_assert(sizeof(VstMidiSysexEvent) == 48, "VstMidiSysexEvent size");
static_assert(offsetof(VstMidiSysexEvent, dumpBytes) == 16 && offsetof(VstMidiSysexEvent, resvd1) == 24,
              "VstMidiSysexEvent layout");
static_assert(offsetof(VstMidiSysexEvent, sysexDump) == 32 && offsetof(VstMidiSysexEvent, resvd2) == 40,
              "VstMidiSysexEvent layout");
