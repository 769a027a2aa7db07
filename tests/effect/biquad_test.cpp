// Coefficients from the design formulas, responses from first principles, and the sample loop's
// flush, blend, state and buffer handling.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include "effect/BiquadCoefficients.h"
#include "effect/FilterType.h"
#include "effect/StereoBiquad.h"
#include "tests/support/Noise.h"

namespace quivorant {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(BiquadCoefficients, WorkedBandpassExample) {
  BiquadCoefficients c;
  ASSERT_TRUE(DesignBiquad(kFilterBandpass, 2000, 0.12f, 44100.0, &c));
  const double q = static_cast<double>(0.12f * 12.0f);
  EXPECT_NEAR(q, 1.44, 1e-6);
  const double cc = 1.0 / std::tan(2000.0 * kPi / 44100.0);
  const double norm = 1.0 / ((q + cc) * cc + 1.0);
  EXPECT_NEAR(c.b0, q * cc * norm, 1e-15);
  EXPECT_NEAR(c.a1, (1.0 - cc * cc) * 2.0 * norm, 1e-14);
  EXPECT_NEAR(c.a2, ((cc - q) * cc + 1.0) * norm, 1e-15);

  // Only b0 depends on the type.
  BiquadCoefficients lp, hp;
  ASSERT_TRUE(DesignBiquad(kFilterLowpass, 2000, 0.12f, 44100.0, &lp));
  ASSERT_TRUE(DesignBiquad(kFilterHighpass, 2000, 0.12f, 44100.0, &hp));
  EXPECT_NEAR(lp.b0, norm, 1e-16);
  EXPECT_EQ(lp.b0, hp.b0);
  EXPECT_EQ(lp.a1, c.a1);
  EXPECT_EQ(lp.a2, c.a2);
}

TEST(BiquadCoefficients, NoSampleRateLeavesCoefficientsAlone) {
  BiquadCoefficients c;
  c.b0 = 7.0;
  EXPECT_FALSE(DesignBiquad(kFilterLowpass, 1000, 0.2f, 0.0, &c));
  EXPECT_FALSE(DesignBiquad(kFilterLowpass, 1000, 0.2f, NAN, &c));
  EXPECT_EQ(c.b0, 7.0);
}

// Poles inside the unit circle: the stability triangle of a second-order recursion.
bool Stable(const BiquadCoefficients& c) {
  return std::isfinite(c.b0) && std::fabs(c.a2) < 1.0 && std::fabs(c.a1) < 1.0 + c.a2;
}

TEST(BiquadCoefficients, StableUpToTheTopOfTheRangeAtLowSampleRates) {
  for (double rate : {8000.0, 22050.0, 32000.0, 44100.0, 48000.0, 96000.0}) {
    for (int type : {kFilterLowpass, kFilterHighpass, kFilterBandpass}) {
      for (float bw : {0.01f, 0.2f, 1.0f}) {
        for (int f = 20; f <= 20000; f += 7) {
          BiquadCoefficients c;
          ASSERT_TRUE(DesignBiquad(type, f, bw, rate, &c));
          ASSERT_TRUE(Stable(c)) << "rate " << rate << " f " << f << " bw " << bw;
        }
      }
    }
  }
}

TEST(BiquadCoefficients, FrequenciesAtOrAboveHalfTheRateAreLimitedJustBelowIt) {
  // 0.49 x 32000 = 15680: everything from there up designs the same filter.
  BiquadCoefficients limit, at20k, atNyquist;
  ASSERT_TRUE(DesignBiquad(kFilterLowpass, 15680, 0.2f, 32000.0, &limit));
  ASSERT_TRUE(DesignBiquad(kFilterLowpass, 20000, 0.2f, 32000.0, &at20k));
  ASSERT_TRUE(DesignBiquad(kFilterLowpass, 16000, 0.2f, 32000.0, &atNyquist));
  EXPECT_EQ(at20k.b0, limit.b0);
  EXPECT_EQ(at20k.a1, limit.a1);
  EXPECT_EQ(atNyquist.a2, limit.a2);
  // Below the limit the formulas apply unchanged.
  BiquadCoefficients below;
  ASSERT_TRUE(DesignBiquad(kFilterLowpass, 15000, 0.2f, 32000.0, &below));
  const double q = static_cast<double>(0.2f * 12.0f);
  const double cc = 1.0 / std::tan(15000.0 * kPi / 32000.0);
  EXPECT_NEAR(below.b0, 1.0 / ((q + cc) * cc + 1.0), 1e-14);
  EXPECT_NE(below.b0, limit.b0);
  // A frequency of 0 or below would divide by zero in the tangent.
  BiquadCoefficients zero;
  ASSERT_TRUE(DesignBiquad(kFilterBandpass, 0, 0.2f, 44100.0, &zero));
  EXPECT_TRUE(Stable(zero));
}

// Gain of a filter at frequency f, measured on a long sine after the transient has died down.
double MeasuredGain(int type, int filterHz, float bw, double rate, double toneHz) {
  BiquadCoefficients c;
  DesignBiquad(type, filterHz, bw, rate, &c);
  StereoBiquad f;
  f.SetCoefficients(c);
  f.SetGains(1.0f, 0.0f);
  const int n = 1 << 16;
  std::vector<double> in0(n), in1(n), out0(n), out1(n);
  for (int i = 0; i < n; ++i) in0[i] = in1[i] = std::sin(2.0 * kPi * toneHz * i / rate);
  double* ins[2] = {in0.data(), in1.data()};
  double* outs[2] = {out0.data(), out1.data()};
  f.Run(type, ins, outs, 0, n);
  double si = 0, so = 0;
  for (int i = n / 2; i < n; ++i) {
    si += in0[i] * in0[i];
    so += out0[i] * out0[i];
    EXPECT_EQ(out0[i], out1[i]);
  }
  return std::sqrt(so / si);
}

// The bilinear transform with pre-warping maps digital frequency f exactly onto the analogue
// frequency w = tan(pi f / rate) / tan(pi f0 / rate) of the prototype, so the measured gain must
// match the prototype's there: lowpass 1 / (1 - w^2 + j q w), bandpass j q w times that, and
// highpass (the input minus the lowpass) 1 minus the lowpass.
double PrototypeGain(int type, double q, double f0, double f, double rate) {
  const double w = std::tan(kPi * f / rate) / std::tan(kPi * f0 / rate);
  const std::complex<double> den(1.0 - w * w, q * w);
  const std::complex<double> lp = 1.0 / den;
  if (type == kFilterLowpass) return std::abs(lp);
  if (type == kFilterBandpass) return std::abs(std::complex<double>(0.0, q * w) * lp);
  return std::abs(1.0 - lp);
}

TEST(StereoBiquad, ResponsesMatchTheAnaloguePrototypes) {
  struct Case {
    int type, f0;
    float bw;
    double rate, tone;
  };
  const Case cases[] = {
      {kFilterBandpass, 1000, 0.12f, 48000.0, 1000.0}, {kFilterBandpass, 1000, 0.12f, 48000.0, 3000.0},
      {kFilterLowpass, 1000, 0.5f, 48000.0, 1000.0},   {kFilterLowpass, 2000, 0.05f, 44100.0, 700.0},
      {kFilterLowpass, 8000, 0.1f, 48000.0, 30.0},     {kFilterHighpass, 1000, 0.5f, 48000.0, 1000.0},
      {kFilterHighpass, 8000, 0.1f, 48000.0, 30.0},    {kFilterHighpass, 300, 1.0f, 22050.0, 5000.0},
  };
  for (const Case& c : cases) {
    const double q = static_cast<double>(c.bw * 12.0f);
    const double expected = PrototypeGain(c.type, q, c.f0, c.tone, c.rate);
    EXPECT_NEAR(MeasuredGain(c.type, c.f0, c.bw, c.rate, c.tone), expected, 3e-3 * expected + 1e-5)
        << "type " << c.type << " f0 " << c.f0 << " tone " << c.tone;
  }
  // Anchors of the prototypes themselves: bandpass unity at its centre, lowpass 1/q there.
  EXPECT_NEAR(PrototypeGain(kFilterBandpass, 1.44, 1000, 1000, 48000), 1.0, 1e-12);
  EXPECT_NEAR(PrototypeGain(kFilterLowpass, 6.0, 1000, 1000, 48000), 1.0 / 6.0, 1e-12);
}

struct Stereo {
  explicit Stereo(int n) : in0(n), in1(n), out0(n), out1(n) {}
  double* ins[2] = {};
  double* outs[2] = {};
  std::vector<double> in0, in1, out0, out1;
  void Bind() {
    ins[0] = in0.data();
    ins[1] = in1.data();
    outs[0] = out0.data();
    outs[1] = out1.data();
  }
};

TEST(StereoBiquad, ImpulseThroughTheWorkedExampleAndTheBlend) {
  BiquadCoefficients c;
  DesignBiquad(kFilterBandpass, 2000, 0.12f, 44100.0, &c);
  StereoBiquad f;
  f.SetCoefficients(c);
  f.SetGains(0.7f, 0.3f);
  Stereo s(2);
  s.in0 = {1.0, 0.0};
  s.in1 = {0.0, 0.0};
  s.Bind();
  f.Run(kFilterBandpass, s.ins, s.outs, 0, 1);
  EXPECT_EQ(f.State(0).w1, c.b0);  // the first w0, after the shift
  f.Run(kFilterBandpass, s.ins, s.outs, 1, 2);
  EXPECT_EQ(s.out0[0], c.b0 * static_cast<double>(0.7f) + static_cast<double>(0.3f) * 1.0);
  // Second sample: w0 = -a1 b0, bandpass tap w0 - w2 with w2 still 0.
  EXPECT_EQ(s.out0[1], (0.0 * c.b0 - (c.a1 * c.b0 + c.a2 * 0.0)) * static_cast<double>(0.7f));
  EXPECT_EQ(s.out1[0], 0.0);
}

TEST(StereoBiquad, LowpassAndHighpassSumToTheInput) {
  BiquadCoefficients c;
  DesignBiquad(kFilterLowpass, 700, 0.3f, 44100.0, &c);
  const int n = 4096;
  Stereo lo(n), hi(n);
  lo.in0 = hi.in0 = test::TestNoise(n, 1);
  lo.in1 = hi.in1 = test::TestNoise(n, 2);
  const std::vector<double> x0 = lo.in0, x1 = lo.in1;
  lo.Bind();
  hi.Bind();
  StereoBiquad lp, hp;
  lp.SetCoefficients(c);
  hp.SetCoefficients(c);
  lp.SetGains(1.0f, 0.0f);
  hp.SetGains(1.0f, 0.0f);
  lp.Run(kFilterLowpass, lo.ins, lo.outs, 0, n);
  hp.Run(kFilterHighpass, hi.ins, hi.outs, 0, n);
  for (int i = 0; i < n; ++i) {
    ASSERT_NEAR(lo.out0[i] + hi.out0[i], x0[i], 1e-12) << i;
    ASSERT_NEAR(lo.out1[i] + hi.out1[i], x1[i], 1e-12) << i;
  }
}

TEST(StereoBiquad, TinyAndNanInputsAreFlushedAlsoInTheCallersBuffer) {
  BiquadCoefficients c;
  DesignBiquad(kFilterLowpass, 500, 0.2f, 44100.0, &c);
  StereoBiquad a, b;
  for (StereoBiquad* f : {&a, &b}) {
    f->SetCoefficients(c);
    f->SetGains(0.5f, 0.5f);
  }
  Stereo s(4), z(4);
  s.in0 = {0.25, 1e-30, NAN, -1e-25};
  s.in1 = {1e-24, -3e-24, 0.0, 0.5};
  z.in0 = {0.25, 0.0, 0.0, 0.0};
  z.in1 = {1e-24, -3e-24, 0.0, 0.5};  // 1e-24 itself is kept
  s.Bind();
  z.Bind();
  a.Run(kFilterLowpass, s.ins, s.outs, 0, 4);
  b.Run(kFilterLowpass, z.ins, z.outs, 0, 4);
  EXPECT_EQ(s.in0[1], 0.0);
  EXPECT_EQ(s.in0[2], 0.0);
  EXPECT_EQ(s.in0[3], 0.0);
  EXPECT_EQ(s.in1[0], 1e-24);
  EXPECT_EQ(s.in1[1], -3e-24);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.out0[i], z.out0[i]) << i;
    EXPECT_EQ(s.out1[i], z.out1[i]) << i;
  }
}

TEST(StereoBiquad, DecayingStateIsFlushedToZero) {
  BiquadCoefficients c;
  DesignBiquad(kFilterLowpass, 5000, 0.5f, 44100.0, &c);
  StereoBiquad f;
  f.SetCoefficients(c);
  f.SetGains(1.0f, 0.0f);
  const int n = 20000;
  Stereo s(n);
  s.in0[0] = 1.0;
  s.Bind();
  f.Run(kFilterLowpass, s.ins, s.outs, 0, n);
  EXPECT_EQ(f.State(0).w1, 0.0);
  EXPECT_EQ(f.State(0).w2, 0.0);
  for (double y : s.out0) ASSERT_FALSE(std::fpclassify(y) == FP_SUBNORMAL);
}

TEST(StereoBiquad, SplitRunsAndInPlaceBuffersGiveTheSameSamples) {
  BiquadCoefficients c;
  DesignBiquad(kFilterBandpass, 3000, 0.05f, 48000.0, &c);
  const int n = 1000;
  Stereo whole(n);
  whole.in0 = test::TestNoise(n, 5);
  whole.in1 = test::TestNoise(n, 6);
  std::vector<double> inPlace0 = whole.in0, inPlace1 = whole.in1;
  Stereo split = whole;
  whole.Bind();
  split.Bind();
  StereoBiquad f1, f2, f3;
  for (StereoBiquad* f : {&f1, &f2, &f3}) {
    f->SetCoefficients(c);
    f->SetGains(0.8f, 0.2f);
  }
  f1.Run(kFilterBandpass, whole.ins, whole.outs, 0, n);
  f2.Run(kFilterBandpass, split.ins, split.outs, 0, 1);
  f2.Run(kFilterBandpass, split.ins, split.outs, 1, 333);
  f2.Run(kFilterBandpass, split.ins, split.outs, 333, n);
  double* io[2] = {inPlace0.data(), inPlace1.data()};
  f3.Run(kFilterBandpass, io, io, 0, n);
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(whole.out0[i], split.out0[i]);
    ASSERT_EQ(whole.out1[i], split.out1[i]);
    ASSERT_EQ(whole.out0[i], inPlace0[i]);
    ASSERT_EQ(whole.out1[i], inPlace1[i]);
  }
}

}  // namespace
}  // namespace quivorant
