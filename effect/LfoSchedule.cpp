#include "effect/LfoSchedule.h"

#include <algorithm>

#include "effect/LfoSwing.h"
#include "effect/LfoWave.h"
#include "effect/StableMath.h"
#include "plug/Rounding.h"

namespace quivorant {

bool LfoSchedule::SameSettings(const LfoUpdateInputs& in) const {
  const LfoUpdateInputs& k = key_;
  return in.target == k.target && in.wave == k.wave && in.period == k.period && in.step == k.step &&
         in.range == k.range && in.offset == k.offset && in.type == k.type && in.sampleRate == k.sampleRate &&
         (in.target == kLfoTargetFrequency || in.frequencyHz == k.frequencyHz) &&
         (in.target == kLfoTargetBandwidth || in.bandwidth == k.bandwidth);
}

void LfoSchedule::Prepare(const LfoUpdateInputs& in, int length) {
  // Stage by stage over every entry: within a stage the entries do not wait on each other, so
  // the processor overlaps them, where one whole update after another would wait on each in turn.
  std::int32_t phase = in.phase;
  for (int j = 0; j < length; ++j) {
    phases_[j] = phase;
    phase += in.step;
    if (phase >= in.period) phase = 0;
  }
  for (int j = 0; j < length; ++j) {
    results_[j] = LfoUpdateResult();
    results_[j].value = LfoWaveValue(in.wave, phases_[j], in.period, in.range, in.offset);
  }
  if (in.target == kLfoTargetMix) {
    for (int j = 0; j < length; ++j) {
      results_[j].wet = static_cast<float>(results_[j].value);
      results_[j].dry = 1.0f - results_[j].wet;
    }
  } else if (in.target == kLfoTargetFrequency || in.target == kLfoTargetBandwidth) {
    double angles[kMaxLength];
    for (int j = 0; j < length; ++j) {
      LfoUpdateResult& r = results_[j];
      r.frequencyHz = in.target == kLfoTargetFrequency ? RoundHalfAway(r.value) : in.frequencyHz;
      r.bandwidth = in.target == kLfoTargetBandwidth ? static_cast<float>(r.value) : in.bandwidth;
      angles[j] = BiquadAngle(r.frequencyHz, in.sampleRate);
    }
    if (IsDesignableSampleRate(in.sampleRate)) {
      double tangents[kMaxLength];
      for (int j = 0; j < length; ++j) tangents[j] = StableTan(angles[j]);
      for (int j = 0; j < length; ++j) {
        results_[j].coefficients = BiquadFromTangent(in.type, results_[j].bandwidth, tangents[j]);
        results_[j].designed = true;
      }
    }
  }
  key_ = in;
  continuation_ = phase;
  length_ = length;
  next_ = 0;
}

const LfoUpdateResult& LfoSchedule::Take(const LfoUpdateInputs& in) {
  const bool same = SameSettings(in);
  if (!(same && next_ < length_ && in.phase == phases_[next_])) {
    // Used up with nothing changed: the LFO runs freely, so look further ahead.
    const bool usedUp = same && next_ == length_ && in.phase == continuation_;
    Prepare(in, usedUp ? std::min(2 * length_, kMaxLength) : 2);
  }
  return results_[next_++];
}

}  // namespace quivorant
