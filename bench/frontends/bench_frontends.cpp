// Each front end's 32-bit path through the built plug-in (VST3 process, VST2 processReplacing;
// float in and out, stereo, default settings) against the effect's own ProcessBlock on the same
// audio with the same settings, timed alternately in the same run on the thread's own CPU time so
// that the shared machine's noise hits both alike. The counter "ratio" is the front end's time
// over ProcessBlock's.
//
// Arguments: frames per block, format (3 VST3, 2 VST2); 44.1 kHz.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench/AlternateTiming.h"
#include "effect/Quivorant.h"
#include "plug/IEffectHeadless.h"
#include "tests/support/Library.h"
#include "tests/support/Noise.h"
#include "tests/support/Vst2Host.h"
#include "tests/support/Vst3Buses.h"
#include "tests/support/Vst3Module.h"
#include "tests/support/Vst3Session.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

constexpr double kRate = 44100.0;

// One block's worth of the plug-in's host-side buffers.
struct FloatStereo {
  explicit FloatStereo(int frames) : in(2, std::vector<float>(frames)), out(2, std::vector<float>(frames)) {
    for (int c = 0; c < 2; ++c) {
      const std::vector<double> noise = test::TestNoise(frames, static_cast<std::uint32_t>(c + 1));
      for (int i = 0; i < frames; ++i) in[c][i] = static_cast<float>(noise[i]);
      inPtr[c] = in[c].data();
      outPtr[c] = out[c].data();
    }
  }
  std::vector<std::vector<float>> in, out;
  float* inPtr[2];
  float* outPtr[2];
};

class Vst3Front {
public:
  Vst3Front(int frames, FloatStereo& io) {
    if (!module_.Load(quivorant::test::ModuleUnderTest())) return;
    factory_ = module_.Factory();
    session_.reset(new quivorant::test::PluginSession(factory_, &host_));
    if (!session_->Valid()) return;
    session_->Prepare(Steinberg::Vst::kSample32, frames, kRate);
    session_->processor->setProcessing(true);
    quivorant::test::BindStereoBuses(data_, inBus_, outBus_, io.inPtr, io.outPtr);
    data_.numSamples = frames;
    ready_ = true;
  }
  ~Vst3Front() {
    session_.reset();
    if (factory_ != nullptr) factory_->release();
  }
  bool Ready() const { return ready_; }
  void Process() { session_->processor->process(data_); }

private:
  quivorant::test::ModuleLoader module_;
  Steinberg::IPluginFactory* factory_ = nullptr;
  quivorant::test::HostApplication host_{u"quivorant bench"};
  std::unique_ptr<quivorant::test::PluginSession> session_;
  Steinberg::Vst::ProcessData data_{};
  Steinberg::Vst::AudioBusBuffers inBus_{}, outBus_{};
  bool ready_ = false;
};

class Vst2Front {
public:
  Vst2Front(int frames, FloatStereo& io) : io_(io), frames_(frames) {
    if (!module_.Load(QUIVORANT_VST2_LIBRARY)) return;
    auto main = reinterpret_cast<AEffect*(VSTCALLBACK*)(audioMasterCallback)>(module_.Symbol("VSTPluginMain"));
    effect_ = main != nullptr ? main(quivorant::test::RecordingHost::Callback) : nullptr;
    if (effect_ == nullptr) return;
    Call(effOpen);
    Call(effSetSampleRate, 0, nullptr, static_cast<float>(kRate));
    Call(effSetBlockSize, frames);
    Call(effMainsChanged, 1);
  }
  ~Vst2Front() {
    if (effect_ != nullptr) Call(effClose);
  }
  bool Ready() const { return effect_ != nullptr; }
  void Process() { effect_->processReplacing(effect_, io_.inPtr, io_.outPtr, frames_); }

private:
  void Call(VstInt32 opcode, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    effect_->dispatcher(effect_, opcode, 0, value, ptr, opt);
  }
  quivorant::test::Library module_;
  AEffect* effect_ = nullptr;
  FloatStereo& io_;
  int frames_;
};

template <class Front>
void Compare(benchmark::State& state, int frames) {
  FloatStereo io(frames);
  Front front(frames, io);
  if (!front.Ready()) {
    state.SkipWithError("the built plug-in could not be loaded");
    return;
  }
  HeadlessHost host;
  std::unique_ptr<CLS_QUIVORANT> fx(new CLS_QUIVORANT(&host));
  fx->SetSampleRate(kRate);
  fx->NotifyAllParamsChanged();
  fx->ResetEffect();
  std::vector<double> in[2], out[2];
  for (int c = 0; c < 2; ++c) {
    in[c].assign(io.in[c].begin(), io.in[c].end());
    out[c].resize(frames);
  }
  double* ins[2] = {in[0].data(), in[1].data()};
  double* outs[2] = {out[0].data(), out[1].data()};

  TimeAlternately(
      state, frames, [&] { front.Process(); }, [&] { fx->ProcessBlock(ins, outs, frames); });
}

void BM_FrontEnd32(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  if (state.range(1) == 3)
    Compare<Vst3Front>(state, frames);
  else
    Compare<Vst2Front>(state, frames);
}

void Args(benchmark::internal::Benchmark* b) {
  for (int format : {3, 2})
    for (int frames : {32, 256, 4096}) b->Args({frames, format});
  b->ArgNames({"frames", "format"});
  b->UseManualTime();
}

BENCHMARK(BM_FrontEnd32)->Apply(Args);

}  // namespace
}  // namespace quivorant

BENCHMARK_MAIN();
