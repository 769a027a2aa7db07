// The VST3 module, loaded once per test program, with one factory -> component/controller
// session per instance.
#include <algorithm>
#include <memory>

#include "tests/reliability/HostedEffect.h"
#include "tests/support/Vst3Buses.h"
#include "tests/support/Vst3Module.h"
#include "tests/support/Vst3Session.h"
#include "vst3/IEffectVST3.h"

namespace quivorant::test {
namespace {

using namespace quivorant::test;

IPluginFactory* AcquireFactory() {
  static ModuleLoader module;
  static const bool loaded = module.Load(ModuleUnderTest());
  return loaded ? module.Factory() : nullptr;
}

class HostedVst3 : public HostedEffect {
public:
  HostedVst3() {
    IPluginFactory* factory = AcquireFactory();
    if (factory == nullptr) return;
    session_ = std::make_unique<PluginSession>(factory, &app_);
    factory->release();
    context_.state = ProcessContext::kTempoValid;
    context_.tempo = 120.0;
  }
  ~HostedVst3() override {
    Deactivate();
    session_.reset();
  }

  bool Ok() const override { return session_ != nullptr && session_->Valid(); }

  void SetUp(double sampleRate, int maxBlock, bool wide) override {
    Deactivate();
    wide_ = wide;
    context_.sampleRate = sampleRate;
    session_->Prepare(wide ? kSample64 : kSample32, maxBlock, sampleRate);
    session_->processor->setProcessing(true);
    active_ = true;
  }

  void SetTempo(double beatsPerMinute) override { context_.tempo = beatsPerMinute; }

  void SelectPreset(int index) override {
    changes_.Set(quivorant::kPresetParamId, index / static_cast<double>(kPresetSlots - 1));
  }

  void Process(double* const in[2], double* const out[2], int frames) override {
    ProcessData data{};
    AudioBusBuffers inBus{}, outBus{};
    float* in32[2];
    float* out32[2];
    if (wide_) {
      BindStereoBuses(data, inBus, outBus, const_cast<double**>(in), const_cast<double**>(out));
    } else {
      for (int c = 0; c < 2; ++c) {
        narrowIn_[c].assign(in[c], in[c] + frames);
        narrowOut_[c].assign(static_cast<std::size_t>(frames), 0.0f);
        in32[c] = narrowIn_[c].data();
        out32[c] = narrowOut_[c].data();
      }
      BindStereoBuses(data, inBus, outBus, in32, out32);
    }
    data.numSamples = frames;
    data.processContext = &context_;
    data.inputParameterChanges = &changes_;
    session_->processor->process(data);
    changes_.Clear();
    if (!wide_)
      for (int c = 0; c < 2; ++c) std::copy(narrowOut_[c].begin(), narrowOut_[c].end(), out[c]);
  }

  std::vector<unsigned char> SaveState() override {
    MemoryStream stream;
    if (session_->component->getState(&stream) != kResultOk) return {};
    return stream.bytes;
  }

  bool RestoreState(const std::vector<unsigned char>& state) override {
    MemoryStream stream(state);
    return session_->component->setState(&stream) == kResultOk;
  }

private:
  static constexpr int kPresetSlots = 15;

  void Deactivate() {
    if (!active_) return;
    session_->processor->setProcessing(false);
    session_->component->setActive(false);
    active_ = false;
  }

  HostApplication app_{u"Reliability"};
  std::unique_ptr<PluginSession> session_;
  ProcessContext context_{};
  ParamChanges changes_;
  std::vector<float> narrowIn_[2], narrowOut_[2];
  bool wide_ = false;
  bool active_ = false;
};

}  // namespace

std::unique_ptr<HostedEffect> MakeVst3Effect() { return std::make_unique<HostedVst3>(); }

}  // namespace quivorant::test
