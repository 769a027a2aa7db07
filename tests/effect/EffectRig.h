// An effect instance over the test wrapper, with the steps a front end takes: deliver every
// parameter, set the sample rate, reset, then process stereo double blocks through the core.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "effect/Quivorant.h"
#include "plug/IEffectHeadless.h"
#include "tests/support/Noise.h"

namespace quivorant {

struct StereoBlock {
  explicit StereoBlock(int frames = 0) : left(frames), right(frames) {}
  std::vector<double> left, right;
  int Frames() const { return static_cast<int>(left.size()); }
};

class EffectRig {
public:
  // Ready to process: every parameter delivered once, sample rate set, reset done.
  explicit EffectRig(double sampleRate = 44100.0, double tempo = 120.0, bool deliver = true) {
    host.tempo = tempo;
    fx.reset(static_cast<CLS_QUIVORANT*>(CreateEffectInstance(&host)));
    if (!fx) return;
    fx->SetSampleRate(sampleRate);
    if (deliver) fx->NotifyAllParamsChanged();
    fx->ResetEffect();
  }

  // Sets a plain value as the core would store it, then tells the effect.
  void Set(int paramIdx, double plain) {
    fx->GetParam(paramIdx)->value = plain;
    fx->HandleParamChange(paramIdx);
  }

  void LoadPreset(int slot) { fx->RestorePreset(slot); }

  // Processes `in` through the core's double-precision path; returns the output.
  StereoBlock Process(StereoBlock in) {
    StereoBlock out(in.Frames());
    double* ins[2] = {in.left.data(), in.right.data()};
    double* outs[2] = {out.left.data(), out.right.data()};
    InstanceLock::Scope hold(fx->GetLock());
    fx->SetInputConnections(0, 2, true);
    fx->SetOutputConnections(0, 2, true);
    fx->AttachInputs(0, 2, ins);
    fx->AttachOutputs(0, 2, outs);
    fx->ProcessBuffers(kDoublePrecision, in.Frames());
    lastInput = in;
    return out;
  }

  StereoBlock ProcessNoise(int frames, std::uint32_t seed) {
    StereoBlock in(frames);
    in.left = test::TestNoise(frames, seed);
    in.right = test::TestNoise(frames, seed ^ 0x5A5A5A5Au);
    return Process(in);
  }

  HeadlessHost host;
  std::unique_ptr<CLS_QUIVORANT> fx;
  StereoBlock lastInput;  // the input after processing (flushed samples are zero there)
};

}  // namespace quivorant
