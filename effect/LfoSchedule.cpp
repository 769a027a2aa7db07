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

LfoSchedule::Entry& LfoSchedule::Slot(std::int32_t number) {
  return entries_[static_cast<std::size_t>(number % kCycleCapacity)];
}

void LfoSchedule::Prepare(const LfoUpdateInputs& in, std::int32_t number, int count) {
  // Stage by stage over every update: within a stage the updates do not wait on each other, so
  // the processor overlaps them, where one whole update after another would wait on each in turn.
  Entry* at[kMaxBatch];
  std::int32_t phases[kMaxBatch];
  int n = 0;
  // 64 bits: the last phase may lie up to a step beyond the period.
  for (std::int64_t phase = in.phase; n < count && (n == 0 || phase < in.period); ++n, phase += in.step) {
    phases[n] = static_cast<std::int32_t>(phase);
    at[n] = &Slot(number + n);
    at[n]->phase = phases[n];
    at[n]->generation = generation_;
    at[n]->result = LfoUpdateResult();
  }
  for (int j = 0; j < n; ++j) at[j]->result.value = LfoWaveValue(in.wave, phases[j], in.period, in.range, in.offset);
  if (in.target == kLfoTargetMix) {
    for (int j = 0; j < n; ++j) {
      LfoUpdateResult& r = at[j]->result;
      r.wet = static_cast<float>(r.value);
      r.dry = 1.0f - r.wet;
    }
  } else if (in.target == kLfoTargetFrequency || in.target == kLfoTargetBandwidth) {
    double angles[kMaxBatch];
    for (int j = 0; j < n; ++j) {
      LfoUpdateResult& r = at[j]->result;
      r.frequencyHz = in.target == kLfoTargetFrequency ? RoundHalfAway(r.value) : in.frequencyHz;
      r.bandwidth = in.target == kLfoTargetBandwidth ? static_cast<float>(r.value) : in.bandwidth;
      angles[j] = BiquadAngle(r.frequencyHz, in.sampleRate);
    }
    if (IsDesignableSampleRate(in.sampleRate)) {
      double tangents[kMaxBatch];
      for (int j = 0; j < n; ++j) tangents[j] = StableTan(angles[j]);
      for (int j = 0; j < n; ++j) {
        LfoUpdateResult& r = at[j]->result;
        r.coefficients = BiquadFromTangent(in.type, r.bandwidth, tangents[j]);
        r.designed = true;
      }
    }
  }
}

LfoSchedule::LfoSchedule() : entries_(static_cast<std::size_t>(kCycleCapacity)) {}

const LfoUpdateResult& LfoSchedule::Take(const LfoUpdateInputs& in) {
  if (!SameSettings(in)) {
    key_ = in;
    ++generation_;
    batch_ = 2;
    takenPhase_ = -1;
    takenNumber_ = -1;
  }
  // Updates mostly come one step apart: the number in the cycle is then the last one's plus one,
  // which spares a division.
  const std::int32_t number = in.phase == takenPhase_ + in.step ? takenNumber_ + 1 : in.phase / in.step;
  takenPhase_ = in.phase;
  takenNumber_ = number;
  Entry& e = Slot(number);
  if (e.generation != generation_ || e.phase != in.phase) {
    Prepare(in, number, batch_);
    batch_ = std::min(2 * batch_, kMaxBatch);
  }
  return e.result;
}

}  // namespace quivorant
