// LFO timing against note lengths worked out from beats, the six shapes at their turning points,
// and the swing's placement inside each target's limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "effect/LfoRate.h"
#include "effect/LfoSwing.h"
#include "effect/LfoWave.h"

namespace quivorant {
namespace {

// Sixteenth notes in rate value e, from the note names: 3k straight 2^k, 3k+1 the triplet of
// 2^(k+1) (two thirds of it), 3k+2 the dotted 2^k (one and a half).
double Sixteenths(int e) {
  const int k = e / 3;
  switch (e % 3) {
    case 0:
      return std::ldexp(1.0, k);
    case 1:
      return std::ldexp(1.0, k + 1) * 2.0 / 3.0;
    default:
      return std::ldexp(1.0, k) * 1.5;
  }
}

long long RoundHalfUp(double v) { return static_cast<long long>(std::floor(v + 0.5)); }

TEST(LfoRate, PeriodsOfAllRatesAt120BpmAnd44100) {
  // 120 beats per minute: half a second per beat, 22050 samples, 88200 per whole note,
  // 5512.5 per sixteenth.
  const double samplesPerSixteenth = 44100.0 * 60.0 / 120.0 / 4.0;
  const double samplesPerWhole = samplesPerSixteenth * 16.0;
  for (int e = 0; e < kLfoRateCount; ++e) {
    const LfoTiming t = ComputeLfoTiming(e, samplesPerWhole);
    EXPECT_EQ(t.period, RoundHalfUp(Sixteenths(e) * samplesPerSixteenth)) << "rate " << e;
    EXPECT_EQ(t.step, 55) << "rate " << e;  // 55.125 samples: a hundredth of a sixteenth
  }
  EXPECT_EQ(ComputeLfoTiming(0, samplesPerWhole).period, 5513);      // "1/16", 5512.5 rounded up
  EXPECT_EQ(ComputeLfoTiming(15, samplesPerWhole).period, 176400);   // "2/1"
  EXPECT_EQ(ComputeLfoTiming(27, samplesPerWhole).period, 2822400);  // "32/1", 512 sixteenths
}

TEST(LfoRate, OtherTemposAndRatesStayWithinASampleOfTheNoteLength) {
  for (double rate : {22050.0, 48000.0, 96000.0}) {
    for (double bpm : {33.3, 90.0, 174.0}) {
      const double whole = rate * 60.0 / bpm * 4.0;
      for (int e = 0; e < kLfoRateCount; ++e) {
        const LfoTiming t = ComputeLfoTiming(e, whole);
        EXPECT_NEAR(t.period, Sixteenths(e) * whole / 16.0, 0.5 + 1e-6 * whole) << rate << " " << bpm << " " << e;
        EXPECT_EQ(t.step, RoundHalfUp(whole / 1600.0));
      }
    }
  }
}

TEST(LfoRate, NoTempoMeansNoGridAndExtremesStayDefined) {
  const double noTempo[] = {0.0, -5.0, NAN, INFINITY};
  for (double w : noTempo) {
    const LfoTiming t = ComputeLfoTiming(15, w);
    EXPECT_EQ(t.period, 0);
    EXPECT_EQ(t.step, 0);
  }
  // An absurdly fast tempo: a grid step rounds to 0 samples, which would stall the schedule.
  const LfoTiming fast = ComputeLfoTiming(0, 100.0);
  EXPECT_EQ(fast.step, 1);
  EXPECT_GE(fast.period, 1);
  // An absurdly slow one: more samples than 32 bits hold.
  const LfoTiming slow = ComputeLfoTiming(27, 1e13);
  EXPECT_EQ(slow.period, kLfoMaxSamples);
  EXPECT_LE(slow.step, kLfoMaxSamples);
  EXPECT_GE(slow.step, 1);
}

constexpr double kR = 8.0;
constexpr double kO = 2.0;

TEST(LfoWave, TurningPoints) {
  const int n = 6000;  // divisible by 2, 3 and 4
  // Sine: bottom at 0, top at half the cycle, halfway at a quarter.
  EXPECT_NEAR(LfoWaveValue(kWaveSine, 0, n, kR, kO), kO, 1e-12);
  EXPECT_NEAR(LfoWaveValue(kWaveSine, n / 2, n, kR, kO), kO + kR, 1e-12);
  EXPECT_NEAR(LfoWaveValue(kWaveSine, n / 4, n, kR, kO), kO + kR / 2, 1e-12);
  // Triangle.
  EXPECT_EQ(LfoWaveValue(kWaveTriangle, 0, n, kR, kO), kO);
  EXPECT_EQ(LfoWaveValue(kWaveTriangle, n / 2, n, kR, kO), kO + kR);
  EXPECT_EQ(LfoWaveValue(kWaveTriangle, 3 * n / 4, n, kR, kO), kO + kR / 2);
  EXPECT_EQ(LfoWaveValue(kWaveTriangle, n / 2 + 1, n, kR, kO), kO + kR - 2 * kR / n);
  // Saw: rises to the top at two thirds, then falls towards the bottom at the cycle's end.
  EXPECT_EQ(LfoWaveValue(kWaveSaw, 0, n, kR, kO), kO);
  EXPECT_EQ(LfoWaveValue(kWaveSaw, n / 3, n, kR, kO), kO + kR / 2);
  EXPECT_EQ(LfoWaveValue(kWaveSaw, 2 * n / 3, n, kR, kO), kO + kR);
  EXPECT_EQ(LfoWaveValue(kWaveSaw, 2 * n / 3 + 1, n, kR, kO), kO + kR - 3 * kR / n);
  EXPECT_EQ(LfoWaveValue(kWaveSaw, n - 1, n, kR, kO), kO + 3 * kR / n);
  // Saw Rev: top at one third, then a long fall.
  EXPECT_EQ(LfoWaveValue(kWaveSawRev, n / 3, n, kR, kO), kO + kR);
  EXPECT_EQ(LfoWaveValue(kWaveSawRev, 2 * n / 3, n, kR, kO), kO + kR / 2);
  EXPECT_EQ(LfoWaveValue(kWaveSawRev, n / 6, n, kR, kO), kO + kR / 2);
  // Half sines.
  EXPECT_EQ(LfoWaveValue(kWaveSineHalf, 0, n, kR, kO), kO);
  EXPECT_EQ(LfoWaveValue(kWaveSineHalf, n / 2, n, kR, kO), kO + kR);
  EXPECT_EQ(LfoWaveValue(kWaveSineHalf2, 0, n, kR, kO), kO + kR);
  EXPECT_EQ(LfoWaveValue(kWaveSineHalf2, n / 2, n, kR, kO), kO);
  // An unknown shape does not move.
  EXPECT_EQ(LfoWaveValue(99, n / 2, n, kR, kO), kO);
}

TEST(LfoWave, EveryShapeStaysInsideTheSwing) {
  for (int n : {1, 2, 3, 55, 5513, 176401}) {
    for (int w = 0; w < kLfoWaveCount; ++w) {
      for (int p = 0; p < n; p += 1 + n / 997) {
        const double v = LfoWaveValue(w, p, n, kR, kO);
        ASSERT_GE(v, kO - 1e-12) << "wave " << w << " n " << n << " p " << p;
        ASSERT_LE(v, kO + kR + 1e-12) << "wave " << w << " n " << n << " p " << p;
      }
    }
  }
}

TEST(LfoWave, LongCyclesDoNotOverflowTheIntegerProducts) {
  // 3 x phase exceeds 32 bits here; the shapes must still follow their curves.
  const std::int32_t n = kLfoMaxSamples;
  const std::int32_t p = n / 2;
  EXPECT_NEAR(LfoWaveValue(kWaveSaw, p, n, 1.0, 0.0), 0.75, 1e-9);
  EXPECT_NEAR(LfoWaveValue(kWaveSawRev, p, n, 1.0, 0.0), 0.75, 1e-9);
  EXPECT_NEAR(LfoWaveValue(kWaveTriangle, n - 1, n, 1.0, 0.0), 0.0, 1e-8);
}

TEST(LfoSwing, EdgeCasesOfPlacement) {
  LfoSwing s;
  LfoBaseValues base;

  base.frequencyHz = 20;
  ASSERT_TRUE(ComputeLfoSwing(kLfoTargetFrequency, 0.9f, base, &s));
  EXPECT_EQ(s.range, static_cast<double>(0.9f * 19980.0f));
  EXPECT_NEAR(s.range, 17982.0, 1e-3);
  EXPECT_EQ(s.offset, 20.0);  // 20 - 8991 is below the bottom
  EXPECT_EQ(s.displayMinimum, 20.0f);
  EXPECT_EQ(s.displayMaximum, 20000.0f);

  base.frequencyHz = 20000;
  ASSERT_TRUE(ComputeLfoSwing(kLfoTargetFrequency, 0.5f, base, &s));
  EXPECT_EQ(s.offset, 10010.0);  // centred would end above 20000: pushed down
  EXPECT_EQ(s.offset + s.range, 20000.0);

  base.frequencyHz = 5000;
  ASSERT_TRUE(ComputeLfoSwing(kLfoTargetFrequency, 0.0f, base, &s));
  EXPECT_EQ(s.range, 0.0);
  EXPECT_EQ(s.offset, 5000.0);  // depth 0: the base value, standing still

  base.mix = 0.8f;
  ASSERT_TRUE(ComputeLfoSwing(kLfoTargetMix, 60 * 0.01f, base, &s));
  EXPECT_NEAR(s.offset, 0.4, 1e-7);
  EXPECT_NEAR(s.offset + s.range, 1.0, 1e-12);
  EXPECT_EQ(s.displayMaximum, 1.0f);

  base.bandwidth = 0.2f;
  ASSERT_TRUE(ComputeLfoSwing(kLfoTargetBandwidth, 1.0f, base, &s));
  // Full depth: the sweep is pushed down from the top and ends exactly at 1.
  EXPECT_EQ(s.range, static_cast<double>(0.99f));
  EXPECT_EQ(s.offset, 1.0 - s.range);
  EXPECT_NEAR(s.offset, 0.01, 1e-8);
  EXPECT_EQ(s.displayMinimum, 0.01f);

  s.offset = 123.0;
  EXPECT_FALSE(ComputeLfoSwing(kLfoTargetNone, 1.0f, base, &s));
  EXPECT_EQ(s.offset, 123.0);
}

TEST(LfoSwing, NeverLeavesTheTargetsLimits) {
  struct Target {
    std::int32_t id;
    double lo, hi;
  };
  for (Target t :
       {Target{kLfoTargetFrequency, 20, 20000}, Target{kLfoTargetBandwidth, 0.01, 1}, Target{kLfoTargetMix, 0, 1}}) {
    for (int d = 0; d <= 100; ++d) {
      for (int b = 0; b <= 100; b += 5) {
        LfoBaseValues base;
        base.frequencyHz = 20 + b * 19980 / 100;
        base.bandwidth = (b < 1 ? 1 : b) * 0.01f;
        base.mix = b * 0.01f;
        LfoSwing s;
        ASSERT_TRUE(ComputeLfoSwing(t.id, d * 0.01f, base, &s));
        ASSERT_GE(s.offset, t.lo - 1e-6 * t.hi) << t.id << " " << d << " " << b;
        ASSERT_LE(s.offset + s.range, t.hi + 1e-6 * t.hi) << t.id << " " << d << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace quivorant
