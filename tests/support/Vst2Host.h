// A VST2 host of our own for tests: a host callback that records every call the plug-in makes and
// answers the way a test sets it up (product string, vendor version, time info, MIDI out).
// One host is current at a time; the tests drive the plug-in from one thread.
#pragma once

#include <string>
#include <vector>

#include "vst2/abi/VstEffect.h"
#include "vst2/abi/VstEvents.h"
#include "vst2/abi/VstTime.h"

namespace quivorant::test {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  bool hadPtr;
  float opt;
};

class RecordingHost {
public:
  RecordingHost();
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  static VstIntPtr VSTCALLBACK Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                        float opt);

  // Calls with this opcode, in order.
  std::vector<HostCall> CallsOf(VstInt32 opcode) const;
  // Opcodes of every call, in order, leaving out the ones in `ignored`.
  std::vector<VstInt32> Opcodes(const std::vector<VstInt32>& ignored = {}) const;
  void Clear() { calls.clear(); }

  std::vector<HostCall> calls;
  std::vector<AEffect*> effects;  // the record each call came with

  // Answers.
  std::string productString;  // audioMasterGetProductString; empty leaves the buffer untouched
  VstIntPtr vendorVersion = 0;
  bool answerTime = true;  // audioMasterGetTime answers &timeInfo, else null
  VstTimeInfo timeInfo{};
  VstIntPtr processEventsAnswer = 1;

  // What arrived through audioMasterProcessEvents (copied during the call).
  std::vector<VstMidiEvent> midiOut;
  std::vector<VstMidiSysexEvent> sysexOut;
  std::vector<std::vector<char>> sysexBytes;
  // The product-string buffer as the plug-in handed it over (first bytes), to check it was empty.
  std::vector<char> productBufferSeen;

private:
  VstIntPtr Answer(VstInt32 opcode, VstIntPtr value, void* ptr);
  RecordingHost* previous_;
};

}  // namespace quivorant::test
