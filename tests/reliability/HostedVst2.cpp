// The VST2 library, loaded once per test program, with one VSTPluginMain -> effOpen ...
// effClose life per instance.
#include <algorithm>
#include <memory>

#include "tests/reliability/HostedEffect.h"
#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

using namespace quivorant::test;

class HostedVst2 : public HostedEffect {
public:
  HostedVst2() {
    host_.timeInfo.tempo = 120.0;
    host_.timeInfo.flags = kVstTempoValid;
    if (plugin_.ok()) plugin_.Call(effOpen);
  }
  ~HostedVst2() override {
    if (active_) plugin_.Call(effMainsChanged, 0, 0);
  }

  bool Ok() const override { return plugin_.ok(); }

  void SetUp(double sampleRate, int maxBlock, bool wide) override {
    if (active_) plugin_.Call(effMainsChanged, 0, 0);
    wide_ = wide;
    host_.timeInfo.sampleRate = sampleRate;
    plugin_.Call(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    plugin_.Call(effSetBlockSize, 0, maxBlock);
    plugin_.Call(effMainsChanged, 0, 1);
    active_ = true;
  }

  void SetTempo(double beatsPerMinute) override { host_.timeInfo.tempo = beatsPerMinute; }

  void SelectPreset(int index) override { plugin_.Call(effSetProgram, 0, index); }

  void Process(double* const in[2], double* const out[2], int frames) override {
    AEffect* e = plugin_.effect;
    if (wide_) {
      e->processDoubleReplacing(e, const_cast<double**>(in), const_cast<double**>(out), frames);
    } else {
      float* in32[2];
      float* out32[2];
      for (int c = 0; c < 2; ++c) {
        narrowIn_[c].assign(in[c], in[c] + frames);
        narrowOut_[c].assign(static_cast<std::size_t>(frames), 0.0f);
        in32[c] = narrowIn_[c].data();
        out32[c] = narrowOut_[c].data();
      }
      e->processReplacing(e, in32, out32, frames);
      for (int c = 0; c < 2; ++c) std::copy(narrowOut_[c].begin(), narrowOut_[c].end(), out[c]);
    }
    host_.Clear();  // the recorded time requests would only grow
  }

  std::vector<unsigned char> SaveState() override {
    void* bytes = nullptr;
    const VstIntPtr size = plugin_.Call(effGetChunk, 0, 0, &bytes);
    if (size <= 0 || bytes == nullptr) return {};
    const auto* first = static_cast<const unsigned char*>(bytes);
    return std::vector<unsigned char>(first, first + size);
  }

  bool RestoreState(const std::vector<unsigned char>& state) override {
    std::vector<unsigned char> copy(state);
    return plugin_.Call(effSetChunk, 0, static_cast<VstIntPtr>(copy.size()), copy.data()) == 1;
  }

private:
  RecordingHost host_;
  LoadedPlugin plugin_{RecordingHost::Callback};
  std::vector<float> narrowIn_[2], narrowOut_[2];
  bool wide_ = false;
  bool active_ = false;
};

}  // namespace

std::unique_ptr<HostedEffect> MakeVst2Effect() { return std::make_unique<HostedVst2>(); }

}  // namespace quivorant::test
