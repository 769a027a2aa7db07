#include "effect/Quivorant.h"

#include <cmath>
#include <limits>
#include <new>

#include "effect/BiquadCoefficients.h"
#include "effect/LfoRate.h"
#include "effect/QuivorantIdentity.h"
#include "effect/QuivorantPresets.h"
#include "graphics/controls/GRAPH.h"
#include "plug/Rounding.h"

namespace quivorant {

QUIVORANT_EFFECT_BASE* CreateEffectInstance(QUIVORANT_EFFECT_BASE::HostInstanceInfo info) {
  // Nothing may escape toward the host: a failed construction is a null instance.
  try {
    return new CLS_QUIVORANT(info);
  } catch (...) {
    return nullptr;
  }
}

CLS_QUIVORANT::CLS_QUIVORANT(QUIVORANT_EFFECT_BASE::HostInstanceInfo info)
    : QUIVORANT_EFFECT_BASE(QuivorantIdentity(), info) {
  SetFloatBlockProcessor(this);
  lastParamValue_.fill(kUnseenValue);
  if (!EffectReady()) {
    paramsSeen_.fill(0);
    paramsUnseen_ = kQuivorantParamCount;
  }
  DefineQuivorantParams(*this);
  BuildEditor();
  FillQuivorantPresets(*this);
}

CLS_QUIVORANT::~CLS_QUIVORANT() = default;

void CLS_QUIVORANT::ResetEffect() {
  InstanceLock::Scope hold(GetLock());
  if (SampleRate() != filter_.sampleRate) {
    filter_.sampleRate = SampleRate();
    ComputeCoefficients();
  }
  // A reset comes with a new rate, re-activation or a new set-up: whatever the filter held
  // belongs to audio the host has finished with, and new coefficients over it would click.
  biquad_.ClearState();
  lfo_.phase = 0;
  lfo_.nextUpdate = 0;
}

void CLS_QUIVORANT::HandleParamChange(int paramIdx) {
  InstanceLock::Scope hold(GetLock());
  const IParamRecord* param = GetParam(paramIdx);
  if (!param || paramIdx < 0 || paramIdx >= kQuivorantParamCount) return;
  const std::int32_t value = RoundHalfAway(param->value);
  if (value == lastParamValue_[paramIdx]) return;
  lastParamValue_[paramIdx] = value;

  ActOnParam(paramIdx, value);
  // Before the first block there is no tempo yet; the first block's tempo check runs it.
  if (processingStarted_) UpdateSwing();
  if (!EffectReady()) MarkSeen(paramIdx);
}

void CLS_QUIVORANT::ActOnParam(int paramIdx, std::int32_t value) {
  const float percent = static_cast<float>(value) * 0.01f;
  switch (paramIdx) {
    case kParamFilterType:
      filter_.type = value;
      if (lfo_.target > kLfoTargetNone) lfo_.nextUpdate = 0;
      ComputeCoefficients();
      break;
    case kParamFilterFreq:
      filter_.baseFrequency = value;
      filter_.frequency = value;
      if (lfo_.target == kLfoTargetFrequency) lfo_.nextUpdate = 0;
      ComputeCoefficients();
      break;
    case kParamFilterBandwidth:
      filter_.baseBandwidth = percent;
      filter_.bandwidth = percent;
      if (lfo_.target == kLfoTargetBandwidth) lfo_.nextUpdate = 0;
      ComputeCoefficients();
      break;
    case kParamFilterMix:
      filter_.baseMix = percent;
      filter_.wet = percent;
      filter_.dry = 1.0f - percent;
      ApplyGains();
      if (lfo_.target == kLfoTargetMix) lfo_.nextUpdate = 0;
      break;
    case kParamLfoTarget:
      lfo_.target = value;
      if (positionDisplay_) positionDisplay_->SetDisplayShown(value > kLfoTargetNone);
      filter_.frequency = filter_.baseFrequency;
      filter_.bandwidth = filter_.baseBandwidth;
      ComputeCoefficients();
      filter_.wet = filter_.baseMix;
      filter_.dry = 1.0f - filter_.baseMix;
      ApplyGains();
      lfo_.phase = 0;
      lfo_.nextUpdate = 0;
      break;
    case kParamLfoWave:
      lfo_.wave = value;
      lfo_.phase = 0;
      lfo_.nextUpdate = 0;
      break;
    case kParamLfoRate: {
      const LfoTiming timing = ComputeLfoTiming(value, lfo_.samplesPerWhole);
      lfo_.period = timing.period;
      lfo_.step = timing.step;
      lfo_.phase = 0;
      lfo_.nextUpdate = 0;
      break;
    }
    case kParamLfoDepth:
      lfo_.depth = percent;
      break;
    case kParamLfoReset:
      if (value == 1 && lfo_.resetLatch == 0) {
        lfo_.phase = 0;
        lfo_.nextUpdate = 0;
        lfo_.resetLatch = 1;
      } else if (value == 0) {
        lfo_.resetLatch = 0;
      }
      break;
    default:
      break;
  }
}

void CLS_QUIVORANT::UpdateSwing() {
  LfoBaseValues base;
  base.frequencyHz = filter_.baseFrequency;
  base.bandwidth = filter_.baseBandwidth;
  base.mix = filter_.baseMix;
  LfoSwing swing;
  if (!ComputeLfoSwing(lfo_.target, lfo_.depth, base, &swing)) return;
  lfo_.range = swing.range;
  lfo_.offset = swing.offset;
  if (positionDisplay_) positionDisplay_->SetDisplayRange(swing.displayMinimum, swing.displayMaximum);
}

void CLS_QUIVORANT::MarkSeen(int paramIdx) {
  if (paramIdx < 0 || paramIdx >= kQuivorantParamCount || paramsSeen_[paramIdx] != 0) return;
  paramsSeen_[paramIdx] = 1;
  --paramsUnseen_;
  if (paramsUnseen_ <= 0) SetEffectReady(true);
}

void CLS_QUIVORANT::ComputeCoefficients() {
  BiquadCoefficients c;
  if (DesignBiquad(filter_.type, filter_.frequency, filter_.bandwidth, filter_.sampleRate, &c))
    biquad_.SetCoefficients(c);
}

void CLS_QUIVORANT::ApplyGains() { biquad_.SetGains(filter_.wet, filter_.dry); }

void CLS_QUIVORANT::RunLfoUpdate() {
  if (lfo_.target <= kLfoTargetNone || lfo_.target > kLfoTargetMix) return;
  LfoUpdateInputs in;
  in.target = lfo_.target;
  in.wave = lfo_.wave;
  in.phase = lfo_.phase;
  in.period = lfo_.period;
  in.step = lfo_.step;
  in.range = lfo_.range;
  in.offset = lfo_.offset;
  in.type = filter_.type;
  in.frequencyHz = filter_.frequency;
  in.bandwidth = filter_.bandwidth;
  in.sampleRate = filter_.sampleRate;
  const LfoUpdateResult& r = lfoSchedule_.Take(in);
  switch (lfo_.target) {
    case kLfoTargetFrequency:
      filter_.frequency = r.frequencyHz;
      break;
    case kLfoTargetBandwidth:
      filter_.bandwidth = r.bandwidth;
      break;
    default:
      filter_.wet = r.wet;
      filter_.dry = r.dry;
      ApplyGains();
      break;
  }
  if (r.designed) biquad_.SetCoefficients(r.coefficients);
  lfo_.value = r.value;
  lfo_.hasValue = true;
  // Both are below 2^30, so the sum cannot overflow. The remainder is dropped on purpose: the
  // cycle restarts exactly at 0.
  lfo_.phase += lfo_.step;
  if (lfo_.phase >= lfo_.period) lfo_.phase = 0;
}

template <class In, class Out>
void CLS_QUIVORANT::RunBlock(In inputs, Out outputs, std::int32_t nFrames) {
  const std::int32_t type = filter_.type;
  if (!lfo_.Running()) {
    biquad_.Run(type, inputs, outputs, 0, nFrames);
    return;
  }
  // 64 bits: an update position may lie up to a whole grid step beyond a long block.
  const std::int64_t step = lfo_.step;
  std::int64_t next = lfo_.nextUpdate;
  if (lfo_.target == kLfoTargetNone) {
    // Nothing moves; the grid only advances past the block.
    if (next >= 0 && next < nFrames) next += ((nFrames - 1 - next) / step + 1) * step;
    biquad_.Run(type, inputs, outputs, 0, nFrames);
  } else {
    biquad_.Run(type, inputs, outputs, 0, nFrames, next, [&] {
      RunLfoUpdate();
      return next += step;
    });
  }
  next -= nFrames;
  if (next < std::numeric_limits<std::int32_t>::min()) next = std::numeric_limits<std::int32_t>::min();
  lfo_.nextUpdate = static_cast<std::int32_t>(next);
}

void CLS_QUIVORANT::BeginBlock() {
  if (!processingStarted_) {
    processingStarted_ = true;
    ResetEffect();
  }
  // The tempo rarely moves: the division is redone only when it or the rate did.
  const double tempo = Tempo();
  if (tempo == blockTempo_ && SampleRate() == blockRate_) return;
  blockTempo_ = tempo;
  blockRate_ = SampleRate();
  double samplesPerWhole = SamplesPerBeat() * 4.0;
  if (!(samplesPerWhole > 0.0) || !std::isfinite(samplesPerWhole)) samplesPerWhole = 0.0;
  if (samplesPerWhole != lfo_.samplesPerWhole) {
    lfo_.samplesPerWhole = samplesPerWhole;
    lastParamValue_[kParamLfoRate] = kForceRateValue;
    HandleParamChange(kParamLfoRate);
  }
}

void CLS_QUIVORANT::EndBlock() {
  if (lfo_.hasValue && positionDisplay_) positionDisplay_->SetDisplayValue(static_cast<float>(lfo_.value));
}

void CLS_QUIVORANT::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  BeginBlock();
  if (nFrames > 0 && inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1])
    RunBlock(inputs, outputs, nFrames);
  EndBlock();
}

void CLS_QUIVORANT::ProcessFloatBlock(const float* const* inputs, float* const* outputs, int nFrames) {
  BeginBlock();
  RunBlock(inputs, outputs, nFrames);
  EndBlock();
}

}  // namespace quivorant
