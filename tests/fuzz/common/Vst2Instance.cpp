#include "tests/fuzz/common/Vst2Instance.h"

#include <cmath>
#include <vector>

#include "tests/fuzz/common/FuzzChecks.h"
#include "vst2/VstPluginCreation.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {

namespace {
constexpr int kBlockFrames = 64;
}

Vst2Instance::Vst2Instance() : plugin_(quivorant::CreateVstPlugin(RecordingHost::Callback)) {
  Require(plugin_.ok(), "the effect is created");
  plugin_.Start(44100.0f, 512);
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
  plugin_.effect->processReplacing(plugin_.effect, ins, outs, kBlockFrames);
  for (const auto& channel : out)
    for (float x : channel) Require(std::isfinite(x), "processed samples are finite");
}

}  // namespace quivorant::test
