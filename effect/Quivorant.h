// CLS_QUIVORANT: the effect. One biquad per channel (lowpass, highpass or bandpass) with a
// dry/wet blend, and a tempo-synchronised LFO that sweeps the frequency, the bandwidth or the mix.
//
// The class is compiled once per front end over that front end's wrapper, named by the compile
// definitions QUIVORANT_EFFECT_BASE (the class) and QUIVORANT_EFFECT_BASE_HEADER (its header).
//
// Threads: ProcessBlock runs on the host's audio thread with the instance lock held; ResetEffect
// and HandleParamChange take the lock themselves (it is recursive: processing calls them too).
// The LFO position display's values are written by the audio thread and read by the editor
// without a lock (they are relaxed atomics).
//
// What moves at which rate:
//   per sample        the two biquads and the blend
//   every lfoStep     one LFO value (a hundredth of a sixteenth note), then at most one
//                     coefficient computation or a gain change
//   per block         the tempo check (a changed tempo or sample rate restarts the LFO cycle)
//   on a change       parameters, the swing, the coefficients of the base values
#pragma once

#include <array>
#include <cstdint>

#include QUIVORANT_EFFECT_BASE_HEADER

#include "effect/FilterType.h"
#include "effect/LfoSchedule.h"
#include "effect/LfoState.h"
#include "effect/QuivorantParams.h"
#include "effect/StereoBiquad.h"

namespace quivorant {

class GRAPH;
class IGraphics;

// The filter's settings, as the parameters and the LFO leave them.
struct FilterSettings {
  double sampleRate = 0.0;  // the rate the coefficients were last computed for
  std::int32_t type = kFilterLowpass;
  std::int32_t baseFrequency = 0;  // Hz, set by "Filter Freq"
  std::int32_t frequency = 0;      // Hz, moved by the LFO
  float baseBandwidth = 0.0f;      // 0.01..1
  float bandwidth = 0.0f;
  float baseMix = 0.0f;  // 0..1
  float wet = 0.0f;
  float dry = 0.0f;
};

class CLS_QUIVORANT : public QUIVORANT_EFFECT_BASE, private FloatBlockProcessor {
public:
  explicit CLS_QUIVORANT(QUIVORANT_EFFECT_BASE::HostInstanceInfo info);
  ~CLS_QUIVORANT() override;

  // The front end calls this after passing the host's sample rate to the core; the first block
  // calls it too. Clears both channels' filter memory and restarts the LFO cycle.
  void ResetEffect() override;
  // The core stored a new value in parameter `paramIdx` (host, state, preset or editor).
  void HandleParamChange(int paramIdx) override;
  // Two input and two output channels of nFrames doubles; the core calls it only once every
  // parameter has been delivered once.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  // The same block on the host's float buffers, converted inside the filter loop; the core calls
  // it for plain stereo float blocks.
  void ProcessFloatBlock(const float* const* inputs, float* const* outputs, int nFrames) override;

  // Read-only views for the editor, tests and tools.
  // The editor's LFO position strip; null only when the editor could not be built.
  const GRAPH* PositionDisplay() const { return positionDisplay_; }
  // The editor itself, for a tool that paints it without a window; null when it could not be built.
  IGraphics* EditorGraphics() const { return editorGraphics_; }
  const FilterSettings& Filter() const { return filter_; }
  const BiquadCoefficients& Coefficients() const { return biquad_.Coefficients(); }
  BiquadState ChannelState(int channel) const { return biquad_.State(channel); }
  const LfoState& Lfo() const { return lfo_; }
  bool ProcessingStarted() const { return processingStarted_; }

private:
  static constexpr std::int32_t kUnseenValue = static_cast<std::int32_t>(0x9B9B9B9Bu);
  // Written into the rate's last value before a tempo change re-runs its handler, so that the
  // unchanged rate is not taken for a repeated delivery.
  static constexpr std::int32_t kForceRateValue = -101;

  // Builds the editor and attaches it to the core, which owns it from then on.
  void BuildEditor();

  void ComputeCoefficients();
  void ApplyGains();
  void ActOnParam(int paramIdx, std::int32_t value);
  void UpdateSwing();
  void MarkSeen(int paramIdx);
  // One step of the LFO grid at the current sample.
  void RunLfoUpdate();
  // What every block does before and after its samples: the first-block reset and the tempo
  // check, then the LFO position display.
  void BeginBlock();
  void EndBlock();
  // Filters [0, nFrames) with the LFO updates that fall inside the block.
  template <class In, class Out>
  void RunBlock(In inputs, Out outputs, std::int32_t nFrames);

  std::array<std::int32_t, kQuivorantParamCount> lastParamValue_;
  std::array<std::int16_t, kQuivorantParamCount> paramsSeen_{};
  int paramsUnseen_ = kQuivorantParamCount;

  FilterSettings filter_;
  StereoBiquad biquad_;
  LfoState lfo_;
  LfoSchedule lfoSchedule_;
  GRAPH* positionDisplay_ = nullptr;     // owned by the editor
  IGraphics* editorGraphics_ = nullptr;  // owned by the core
  bool processingStarted_ = false;
  double blockTempo_ = -1.0;  // the tempo and rate the last block's LFO timing came from
  double blockRate_ = 0.0;
};

}  // namespace quivorant
