// The effect's handlers and block loop: readiness, repeated values, the update grid across
// blocks, the LFO's reactions, and what survives which change.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "effect/LfoRate.h"
#include "graphics/controls/GRAPH.h"
#include "tests/effect/EffectRig.h"

namespace quivorant {
namespace {

StereoBlock Filled(int frames, double v) {
  StereoBlock b(frames);
  for (int i = 0; i < frames; ++i) b.left[i] = b.right[i] = v;
  return b;
}

TEST(EffectProcess, NotEnteredBeforeEveryParameterWasDeliveredOnce) {
  EffectRig rig(44100.0, 120.0, false);
  auto processLeavesOutputAlone = [&]() {
    StereoBlock in = Filled(16, 0.5);
    StereoBlock out = Filled(16, 7.0);
    double* ins[2] = {in.left.data(), in.right.data()};
    double* outs[2] = {out.left.data(), out.right.data()};
    rig.fx->SetInputConnections(0, 2, true);
    rig.fx->SetOutputConnections(0, 2, true);
    rig.fx->AttachInputs(0, 2, ins);
    rig.fx->AttachOutputs(0, 2, outs);
    rig.fx->ProcessBuffers(kDoublePrecision, 16);
    return out.left[0] == 7.0 && out.right[15] == 7.0 && !rig.fx->ProcessingStarted();
  };
  EXPECT_TRUE(processLeavesOutputAlone());
  for (int i = 0; i < 8; ++i) rig.fx->HandleParamChange(i);
  // Deliveries of the same parameter, changed or not, count once.
  rig.Set(kParamFilterFreq, 500);
  rig.fx->HandleParamChange(kParamFilterType);
  rig.fx->HandleParamChange(9);
  rig.fx->HandleParamChange(-1);
  EXPECT_FALSE(rig.fx->EffectReady());
  EXPECT_TRUE(processLeavesOutputAlone());
  rig.fx->HandleParamChange(kParamLfoReset);
  EXPECT_TRUE(rig.fx->EffectReady());
  EXPECT_FALSE(processLeavesOutputAlone());
}

TEST(EffectProcess, ARepeatedValueIsActedOnOnce) {
  EffectRig rig;
  rig.Set(kParamLfoTarget, kLfoTargetFrequency);
  rig.ProcessNoise(300, 1);
  const std::int32_t phase = rig.fx->Lfo().phase;
  ASSERT_GT(phase, 0);
  rig.Set(kParamLfoWave, 0);  // unchanged: no restart
  rig.fx->HandleParamChange(kParamLfoRate);
  EXPECT_EQ(rig.fx->Lfo().phase, phase);
  rig.Set(kParamLfoWave, 0.4);  // still 0 once rounded
  EXPECT_EQ(rig.fx->Lfo().phase, phase);
  rig.Set(kParamLfoWave, 2);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);
  EXPECT_EQ(rig.fx->Lfo().wave, 2);
  // A preset loaded twice: the second load changes nothing.
  rig.LoadPreset(6);
  rig.ProcessNoise(300, 2);
  const std::int32_t presetPhase = rig.fx->Lfo().phase;
  ASSERT_GT(presetPhase, 0);
  rig.LoadPreset(6);
  EXPECT_EQ(rig.fx->Lfo().phase, presetPhase);
}

TEST(EffectProcess, ResetActsOnItsRisingEdgeOnly) {
  EffectRig rig;
  rig.Set(kParamLfoTarget, kLfoTargetMix);
  rig.ProcessNoise(500, 1);
  ASSERT_GT(rig.fx->Lfo().phase, 0);
  rig.Set(kParamLfoReset, 1);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);
  EXPECT_EQ(rig.fx->Lfo().nextUpdate, 0);
  rig.ProcessNoise(500, 2);
  const std::int32_t held = rig.fx->Lfo().phase;
  ASSERT_GT(held, 0);
  rig.Set(kParamLfoReset, 1);  // still held down
  EXPECT_EQ(rig.fx->Lfo().phase, held);
  rig.Set(kParamLfoReset, 0);
  EXPECT_EQ(rig.fx->Lfo().phase, held);
  rig.Set(kParamLfoReset, 1);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);
}

TEST(EffectProcess, UpdateGridContinuesAcrossBlocks) {
  EffectRig rig;  // 120 BPM at 44100: an update every 55 samples
  rig.Set(kParamLfoTarget, kLfoTargetFrequency);
  // Updates at 0, 55, 110, 165: index 0 of block 1, 23 of block 2, none in block 3, 14 of
  // block 4. Each update advances the phase by one step.
  const std::int32_t expectedNext[4] = {23, 46, 14, 37};
  const std::int32_t expectedPhase[4] = {55, 110, 110, 165};
  for (int b = 0; b < 4; ++b) {
    rig.ProcessNoise(32, b);
    EXPECT_EQ(rig.fx->Lfo().step, 55);
    EXPECT_EQ(rig.fx->Lfo().nextUpdate, expectedNext[b]) << "block " << b;
    EXPECT_EQ(rig.fx->Lfo().phase, expectedPhase[b]) << "block " << b;
  }
}

// With the grid carried across blocks, the samples cannot depend on how the host cuts them.
TEST(EffectProcess, OutputDoesNotDependOnTheBlockSizes) {
  const int total = 9000;
  StereoBlock in(total);
  in.left = test::TestNoise(total, 11);
  in.right = test::TestNoise(total, 12);
  for (int preset : {6, 9, 10, 11, 12}) {
    EffectRig whole, pieces;
    whole.LoadPreset(preset);
    pieces.LoadPreset(preset);
    const StereoBlock a = whole.Process(in);
    std::mt19937 rng(static_cast<unsigned>(preset));
    StereoBlock b(0);
    for (int pos = 0; pos < total;) {
      const int n = std::min<int>(total - pos, static_cast<int>(rng() % 300));  // 0-frame blocks too
      StereoBlock chunk(n);
      std::copy(in.left.begin() + pos, in.left.begin() + pos + n, chunk.left.begin());
      std::copy(in.right.begin() + pos, in.right.begin() + pos + n, chunk.right.begin());
      const StereoBlock out = pieces.Process(chunk);
      b.left.insert(b.left.end(), out.left.begin(), out.left.end());
      b.right.insert(b.right.end(), out.right.begin(), out.right.end());
      pos += n;
    }
    ASSERT_EQ(a.left.size(), b.left.size());
    for (int i = 0; i < total; ++i) {
      ASSERT_EQ(a.left[i], b.left[i]) << "preset " << preset << " sample " << i;
      ASSERT_EQ(a.right[i], b.right[i]) << "preset " << preset << " sample " << i;
    }
  }
}

TEST(EffectProcess, RatePeriodsFollowTheHostsTempoAndRestartTheCycle) {
  EffectRig rig;
  rig.Set(kParamLfoTarget, kLfoTargetBandwidth);
  rig.Set(kParamLfoRate, 0);
  rig.ProcessNoise(1000, 1);
  EXPECT_EQ(rig.fx->Lfo().samplesPerWhole, 88200.0);
  EXPECT_EQ(rig.fx->Lfo().period, 5513);
  ASSERT_GT(rig.fx->Lfo().phase, 0);
  // The phase wraps on the update that would reach the period.
  rig.ProcessNoise(5513 - 1000, 2);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);

  rig.ProcessNoise(1000, 3);
  ASSERT_GT(rig.fx->Lfo().phase, 0);
  rig.host.tempo = 60.0;  // seen at the next block, even an empty one
  rig.ProcessNoise(0, 4);
  EXPECT_EQ(rig.fx->Lfo().samplesPerWhole, 176400.0);
  EXPECT_EQ(rig.fx->Lfo().period, 11025);
  EXPECT_EQ(rig.fx->Lfo().step, 110);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);
  EXPECT_EQ(rig.fx->Lfo().nextUpdate, 0);
}

TEST(EffectProcess, WithoutATempoTheLfoHoldsAndResumesWithTheTempo) {
  EffectRig rig(44100.0, 0.0);
  rig.Set(kParamFilterType, kFilterBandpass);
  rig.Set(kParamFilterFreq, 1000);
  rig.Set(kParamLfoTarget, kLfoTargetFrequency);
  auto finite = [](const StereoBlock& b) {
    for (int i = 0; i < b.Frames(); ++i)
      if (!std::isfinite(b.left[i]) || !std::isfinite(b.right[i])) return false;
    return true;
  };
  EXPECT_TRUE(finite(rig.ProcessNoise(4000, 1)));
  EXPECT_FALSE(rig.fx->Lfo().Running());
  EXPECT_FALSE(rig.fx->Lfo().hasValue);
  EXPECT_EQ(rig.fx->Filter().frequency, 1000);  // the base value

  rig.host.tempo = 120.0;
  EXPECT_TRUE(finite(rig.ProcessNoise(4000, 2)));
  EXPECT_TRUE(rig.fx->Lfo().Running());
  EXPECT_GT(rig.fx->Lfo().phase, 0);
  const std::int32_t swept = rig.fx->Filter().frequency;
  EXPECT_NE(swept, 1000);

  const double noTempo[] = {0.0, -120.0, NAN};
  for (double tempo : noTempo) {
    rig.host.tempo = tempo;
    EXPECT_TRUE(finite(rig.ProcessNoise(4000, 3)));
    EXPECT_EQ(rig.fx->Filter().frequency, swept) << tempo;  // held where it was
    EXPECT_FALSE(rig.fx->Lfo().Running());
  }
  rig.host.tempo = 90.0;
  rig.ProcessNoise(4000, 4);
  EXPECT_TRUE(rig.fx->Lfo().Running());
  EXPECT_EQ(rig.fx->Lfo().step, 74);  // 117600 / 1600 = 73.5, rounded up

  // A host that reports no transport at all.
  std::unique_ptr<IEffectHeadless> bare(CreateEffectInstance(nullptr));
  ASSERT_TRUE(bare);
  bare->NotifyAllParamsChanged();
  bare->GetParam(kParamLfoTarget)->value = 2;
  bare->HandleParamChange(kParamLfoTarget);
  StereoBlock in(256), out(256);
  in.left = test::TestNoise(256, 5);
  in.right = test::TestNoise(256, 6);
  double* ins[2] = {in.left.data(), in.right.data()};
  double* outs[2] = {out.left.data(), out.right.data()};
  bare->ProcessBlock(ins, outs, 256);
  EXPECT_TRUE(finite(out));
}

TEST(EffectProcess, ChangingTheBaseWhileSweepingRecentresAtTheNextBlock) {
  EffectRig rig;
  rig.Set(kParamLfoTarget, kLfoTargetFrequency);
  rig.Set(kParamLfoDepth, 20);
  rig.ProcessNoise(3000, 1);
  rig.Set(kParamFilterFreq, 5000);
  EXPECT_EQ(rig.fx->Lfo().nextUpdate, 0);
  const double range = static_cast<double>(20.0f * 0.01f * 19980.0f);
  EXPECT_EQ(rig.fx->Lfo().range, range);
  EXPECT_EQ(rig.fx->Lfo().offset, 5000.0 - range * 0.5);
  // The sine wave continues from its phase, now around the new centre.
  rig.ProcessNoise(1, 2);
  EXPECT_GE(rig.fx->Filter().frequency, 5000 - 1998);
  EXPECT_LE(rig.fx->Filter().frequency, 5000 + 1998);
  EXPECT_EQ(rig.fx->Filter().baseFrequency, 5000);

  // A new target starts from the base values and a fresh cycle.
  rig.Set(kParamLfoTarget, kLfoTargetMix);
  EXPECT_EQ(rig.fx->Filter().frequency, 5000);
  EXPECT_EQ(rig.fx->Lfo().phase, 0);
  EXPECT_EQ(rig.fx->PositionDisplay()->DisplayMinimum(), 0.0f);
  EXPECT_EQ(rig.fx->PositionDisplay()->DisplayMaximum(), 1.0f);
  rig.ProcessNoise(1000, 3);
  EXPECT_LT(rig.fx->Filter().wet, 1.0f);
  EXPECT_EQ(rig.fx->Filter().dry, 1.0f - rig.fx->Filter().wet);
  const float v = rig.fx->PositionDisplay()->DisplayValue();
  EXPECT_GE(v, 0.0f);
  EXPECT_LE(v, 1.0f);
  EXPECT_EQ(v, static_cast<float>(rig.fx->Lfo().value));
  rig.Set(kParamLfoTarget, kLfoTargetNone);
  EXPECT_FALSE(rig.fx->PositionDisplay()->DisplayShown());
  EXPECT_EQ(rig.fx->Filter().wet, 1.0f);
  EXPECT_EQ(rig.fx->Filter().dry, 0.0f);
}

TEST(EffectProcess, FilterStateSurvivesTypeChangesButNotAReset) {
  EffectRig rig;
  rig.Set(kParamFilterType, kFilterLowpass);
  rig.Set(kParamFilterFreq, 800);
  rig.ProcessNoise(777, 1);
  const BiquadState before = rig.fx->ChannelState(1);
  const BiquadCoefficients lp = rig.fx->Coefficients();
  rig.Set(kParamFilterType, kFilterBandpass);
  EXPECT_EQ(rig.fx->ChannelState(1).w1, before.w1);
  EXPECT_EQ(rig.fx->ChannelState(1).w2, before.w2);
  EXPECT_NE(rig.fx->Coefficients().b0, lp.b0);
  EXPECT_EQ(rig.fx->Coefficients().a1, lp.a1);
  EXPECT_EQ(rig.fx->Coefficients().a2, lp.a2);

  rig.fx->SetSampleRate(96000.0);
  rig.fx->ResetEffect();
  EXPECT_EQ(rig.fx->Filter().sampleRate, 96000.0);
  EXPECT_NE(rig.fx->Coefficients().a1, lp.a1);
  for (int c = 0; c < 2; ++c) {
    EXPECT_EQ(rig.fx->ChannelState(c).w1, 0.0);
    EXPECT_EQ(rig.fx->ChannelState(c).w2, 0.0);
  }
  rig.ProcessNoise(10, 2);
  EXPECT_EQ(rig.fx->Lfo().samplesPerWhole, 192000.0);  // the new rate changes the grid too
}

TEST(EffectProcess, MixAndAnUnassignedLfo) {
  // Mix 0: the output is the input.
  EffectRig dry;
  dry.Set(kParamFilterType, kFilterBandpass);
  dry.Set(kParamFilterMix, 0);
  const StereoBlock out = dry.ProcessNoise(500, 3);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(out.left[i], dry.lastInput.left[i]);

  // Unassigned, the LFO's settings make no difference to the sound.
  EffectRig a, b;
  for (EffectRig* r : {&a, &b}) {
    r->Set(kParamFilterType, kFilterLowpass);
    r->Set(kParamFilterFreq, 3000);
  }
  b.Set(kParamLfoWave, 3);
  b.Set(kParamLfoRate, 0);
  b.Set(kParamLfoDepth, 100);
  const StereoBlock ya = a.ProcessNoise(3000, 4);
  const StereoBlock yb = b.ProcessNoise(3000, 4);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(ya.left[i], yb.left[i]);
  EXPECT_FALSE(a.fx->PositionDisplay()->DisplayShown());
  EXPECT_EQ(a.fx->Lfo().phase, 0);  // the phase stands still while unassigned
}

}  // namespace
}  // namespace quivorant
