// One instance of the effect through its VST2 front end, opened the way a host opens it
// (effOpen, sample rate, block size, mains on), with a recording host behind its callback.
#pragma once

#include "tests/support/Vst2Plugin.h"
#include "vst2/IEffectVST.h"

namespace quivorant::test {

class Vst2Instance {
public:
  Vst2Instance();
  ~Vst2Instance() { plugin_.Call(effMainsChanged, 0, 0); }
  Vst2Instance(const Vst2Instance&) = delete;
  Vst2Instance& operator=(const Vst2Instance&) = delete;

  // Through the record's dispatcher, as a host calls it.
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return plugin_.Call(opcode, index, value, ptr, opt);
  }
  quivorant::IEffectVST& Effect() { return *quivorant::IEffectVST::FromRecord(plugin_.effect); }
  AEffect& Record() { return *plugin_.effect; }
  RecordingHost& Host() { return host_; }

  // One block of a test tone through processReplacing: every output sample finite.
  void RequireProcesses();

private:
  RecordingHost host_;
  Vst2Plugin plugin_;
};

}  // namespace quivorant::test
