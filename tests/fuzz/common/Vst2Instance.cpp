#include "tests/fuzz/common/Vst2Instance.h"

#include <cmath>
#include <vector>

#include "tests/fuzz/common/FuzzChecks.h"
#include "vst2/VstPluginCreation.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant_fuzz {

namespace {
constexpr int kBlockFrames = 64;
}

Vst2Instance::Vst2Instance() : record_(quivorant::CreateVstPlugin(quivorant_test::RecordingHost::Callback)) {
  Require(record_ != nullptr, "the effect is created");
  Dispatch(effOpen);
  Dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  Dispatch(effSetBlockSize, 0, 512);
  Dispatch(effMainsChanged, 0, 1);
}

Vst2Instance::~Vst2Instance() {
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
}

VstIntPtr Vst2Instance::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return record_->dispatcher(record_, opcode, index, value, ptr, opt);
}

void Vst2Instance::RequireProcesses() {
  std::vector<float> in[2] = {std::vector<float>(kBlockFrames), std::vector<float>(kBlockFrames)};
  std::vector<float> out[2] = {std::vector<float>(kBlockFrames), std::vector<float>(kBlockFrames)};
  for (int i = 0; i < kBlockFrames; ++i) {
    in[0][i] = static_cast<float>(0.5 * std::sin(0.3 * i));
    in[1][i] = -in[0][i];
  }
  float* ins[2] = {in[0].data(), in[1].data()};
  float* outs[2] = {out[0].data(), out[1].data()};
  record_->processReplacing(record_, ins, outs, kBlockFrames);
  for (const auto& channel : out)
    for (float x : channel) Require(std::isfinite(x), "processed samples are finite");
}

}  // namespace quivorant_fuzz
