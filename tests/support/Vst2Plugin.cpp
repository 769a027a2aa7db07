#include "tests/support/Vst2Plugin.h"

#include <algorithm>

namespace quivorant::test {

Vst2Plugin::~Vst2Plugin() { Close(); }

void Vst2Plugin::Close() {
  if (effect != nullptr) Dispatch(effect, effClose);
  effect = nullptr;
}

VstIntPtr Vst2Plugin::Call(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return Dispatch(effect, opcode, index, value, ptr, opt);
}

std::string Vst2Plugin::Text(VstInt32 opcode, VstInt32 index) {
  char buffer[256] = {};
  Call(opcode, index, 0, buffer);
  return buffer;
}

void Vst2Plugin::Start(float sampleRate, VstIntPtr blockSize) {
  Call(effOpen);
  Call(effSetSampleRate, 0, 0, nullptr, sampleRate);
  Call(effSetBlockSize, 0, blockSize);
  Call(effMainsChanged, 0, 1);
}

void Vst2Plugin::SetText(VstInt32 index, const char* text) {
  std::string copy(text);
  EXPECT_EQ(Call(effString2Parameter, index, 0, copy.data()), 1) << index << " " << text;
}

std::vector<double> Vst2Plugin::RunDouble(const std::vector<double>& input) {
  std::vector<double> left(input), right(input), outL(input.size()), outR(input.size());
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {outL.data(), outR.data()};
  effect->processDoubleReplacing(effect, in, out, static_cast<VstInt32>(input.size()));
  return outL;
}

std::vector<float> Vst2Plugin::RunReplacing(const std::vector<float>& input, int blockFrames) {
  std::vector<float> left(input), right(input), outL(input.size()), outR(input.size());
  for (std::size_t done = 0; done < input.size(); done += blockFrames) {
    const int frames = static_cast<int>(std::min<std::size_t>(blockFrames, input.size() - done));
    float* in[2] = {left.data() + done, right.data() + done};
    float* out[2] = {outL.data() + done, outR.data() + done};
    effect->processReplacing(effect, in, out, frames);
  }
  return outL;
}

}  // namespace quivorant::test
