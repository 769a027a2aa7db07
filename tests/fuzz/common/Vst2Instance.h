// One instance of the effect through its VST2 front end, opened the way a host opens it
// (effOpen, sample rate, block size, mains on), with a recording host behind its callback.
#pragma once

#include "tests/vst2/host/RecordingHost.h"
#include "vst2/IEffectVST.h"

namespace quivorant_fuzz {

class Vst2Instance {
public:
  Vst2Instance();
  ~Vst2Instance();
  Vst2Instance(const Vst2Instance&) = delete;
  Vst2Instance& operator=(const Vst2Instance&) = delete;

  // Through the record's dispatcher, as a host calls it.
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
  quivorant::IEffectVST& Effect() { return *quivorant::IEffectVST::FromRecord(record_); }
  AEffect& Record() { return *record_; }
  quivorant_test::RecordingHost& Host() { return host_; }

  // One block of a test tone through processReplacing: every output sample finite.
  void RequireProcesses();

private:
  quivorant_test::RecordingHost host_;
  AEffect* record_;
};

}  // namespace quivorant_fuzz
