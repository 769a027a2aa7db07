#include "tests/vst2/module/LoadedPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quivorant_test {

PluginModule& Vst2Library() {
  static PluginModule module;
  static const bool loaded = module.Load(QUIVORANT_VST2_LIBRARY);
  EXPECT_TRUE(loaded) << QUIVORANT_VST2_LIBRARY << ": " << module.Error();
  return module;
}

LoadedPlugin::LoadedPlugin(audioMasterCallback host, const char* entry) {
  VstEntryProc main = Vst2Library().Entry(entry);
  EXPECT_NE(main, nullptr) << entry;
  if (main != nullptr) effect = main(host);
  EXPECT_NE(effect, nullptr);
}

LoadedPlugin::~LoadedPlugin() {
  if (effect != nullptr) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

VstIntPtr LoadedPlugin::Call(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string LoadedPlugin::Text(VstInt32 opcode, VstInt32 index) {
  char buffer[256] = {};
  Call(opcode, index, 0, buffer);
  return buffer;
}

void LoadedPlugin::Start(float sampleRate, VstIntPtr blockSize) {
  Call(effOpen);
  Call(effSetSampleRate, 0, 0, nullptr, sampleRate);
  Call(effSetBlockSize, 0, blockSize);
  Call(effMainsChanged, 0, 1);
}

void LoadedPlugin::SetText(VstInt32 index, const char* text) {
  std::string copy(text);
  EXPECT_EQ(Call(effString2Parameter, index, 0, copy.data()), 1) << index << " " << text;
}

std::vector<double> LoadedPlugin::RunDouble(const std::vector<double>& input) {
  std::vector<double> left(input), right(input), outL(input.size()), outR(input.size());
  double* in[2] = {left.data(), right.data()};
  double* out[2] = {outL.data(), outR.data()};
  effect->processDoubleReplacing(effect, in, out, static_cast<VstInt32>(input.size()));
  return outL;
}

std::vector<float> LoadedPlugin::RunReplacing(const std::vector<float>& input, int blockFrames) {
  std::vector<float> left(input), right(input), outL(input.size()), outR(input.size());
  for (std::size_t done = 0; done < input.size(); done += blockFrames) {
    const int frames = static_cast<int>(std::min<std::size_t>(blockFrames, input.size() - done));
    float* in[2] = {left.data() + done, right.data() + done};
    float* out[2] = {outL.data() + done, outR.data() + done};
    effect->processReplacing(effect, in, out, frames);
  }
  return outL;
}

}  // namespace quivorant_test
