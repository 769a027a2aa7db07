// Hostile audio and hostile hosts against both deliverables, in both sample widths: every
// factory preset at sample rates from 8 kHz to 384 kHz, under block sizes and tempi that change
// all the time, with full-scale square waves, denormals, NaN and infinities as input.
//
// What the effect promises:
//   - finite input gives finite output whose magnitude stays within the filter's own bound
//     (ResonanceBound.h) for the preset's bandwidth, frequency sweep and mix;
//   - NaN input samples count as silence (the filter flushes them), so the output stays finite;
//   - an infinite input sample may give a non-finite output at that sample (the dry share alone
//     is infinite), but the filter keeps nothing of it: from the first sample of finite input
//     on, the output is finite again and within the bound;
//   - input below the flush threshold (denormals included) comes out as exact silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "effect/QuivorantPresets.h"
#include "tests/reliability/HostileRun.h"
#include "tests/reliability/ResonanceBound.h"

namespace {

using quivorant::test::Format;
using quivorant::test::HostedEffect;
using quivorant::test::StereoSignal;

constexpr double kSampleRates[] = {8000.0, 22050.0, 44100.0, 96000.0, 192000.0, 384000.0};
// Samples after the last infinite input sample whose output may still be non-finite.
constexpr std::size_t kRecoverySamples = 0;
// Rounding allowance: the bound is exact in real arithmetic; the filter runs in doubles, and the
// 32-bit lanes round every output sample to single precision (half an ulp, 2^-24 relative).
double BoundSlack(bool wide) { return wide ? 1e-9 : 1e-9 + std::ldexp(1.0, -24); }

struct Lane {
  Format format;
  bool wide;
};

std::string LaneName(const testing::TestParamInfo<Lane>& info) {
  return std::string(quivorant::test::FormatName(info.param.format)) + (info.param.wide ? "_64bit" : "_32bit");
}

class Hostile : public testing::TestWithParam<Lane> {
protected:
  // A fresh instance at `sampleRate` with factory preset `preset` (1..12) selected.
  std::unique_ptr<HostedEffect> Fresh(double sampleRate, int preset, int maxBlock = 512) {
    auto effect = quivorant::test::MakeHostedEffect(GetParam().format);
    EXPECT_TRUE(effect->Ok());
    if (!effect->Ok()) return nullptr;
    effect->SetUp(sampleRate, maxBlock, GetParam().wide);
    effect->SelectPreset(preset);
    return effect;
  }
};

const quivorant::FactoryPreset& Preset(int slot) { return quivorant::FactoryPresets()[slot - 1]; }

// Checks output samples [from, to) of both channels against `bound`; answers the largest
// magnitude seen as a fraction of the bound.
double CheckWithinBound(const StereoSignal& out, std::size_t from, std::size_t to, double bound, bool wide,
                        const std::string& where) {
  const double slack = BoundSlack(wide);
  double worst = 0.0;
  for (std::size_t i = from; i < to; ++i) {
    for (double y : {out.left[i], out.right[i]}) {
      if (!std::isfinite(y)) {
        ADD_FAILURE() << where << ": non-finite output " << y << " at sample " << i;
        return worst;
      }
      worst = std::max(worst, std::fabs(y) / bound);
      if (std::fabs(y) > bound * (1.0 + slack)) {
        ADD_FAILURE() << where << ": |" << y << "| above the bound " << bound << " at sample " << i;
        return worst;
      }
    }
  }
  return worst;
}

StereoSignal Concatenate(StereoSignal a, const StereoSignal& b) {
  a.left.insert(a.left.end(), b.left.begin(), b.left.end());
  a.right.insert(a.right.end(), b.right.begin(), b.right.end());
  return a;
}

TEST_P(Hostile, FactoryPresetsStayWithinTheirBoundAtEverySampleRate) {
  for (double rate : kSampleRates) {
    double worst = 0.0;
    for (int slot = 1; slot <= quivorant::kFactoryPresetCount; ++slot) {
      const quivorant::FactoryPreset& preset = Preset(slot);
      const double bound = quivorant::test::OutputBound(preset.values, rate, quivorant::test::HostileTempi());
      // At the filter's own frequency (below the limit the design keeps to), then a low one
      // whose edges ring the filter on their own.
      const double own = std::min<double>(preset.values[quivorant::kParamFilterFreq], rate * 0.45);
      const auto frames = static_cast<std::size_t>(rate * 0.12);
      const StereoSignal in =
          Concatenate(quivorant::test::SquareWave(own, rate, frames), quivorant::test::SquareWave(41.0, rate, frames));
      auto effect = Fresh(rate, slot, slot % 2 == 0 ? 512 : 8192);
      if (!effect) return;
      const StereoSignal out = quivorant::test::RunHostile(*effect, in);
      const std::string where = std::string(preset.name) + " at " + std::to_string(static_cast<int>(rate)) + " Hz";
      worst = std::max(worst, CheckWithinBound(out, 0, out.size(), bound, GetParam().wide, where));
      if (HasFailure()) return;
    }
    std::printf("%s %s, %6.0f Hz: loudest output %.3f of the bound\n", quivorant::test::FormatName(GetParam().format),
                GetParam().wide ? "64-bit" : "32-bit", rate, worst);
  }
}

TEST_P(Hostile, NanAndInfinityAreForgottenOnceFiniteInputResumes) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Burst {
    const char* name;
    double a, b;  // alternated over the burst
    std::size_t length;
  };
  const Burst bursts[] = {{"NaN", nan, nan, 300},    {"+inf", inf, inf, 300},  {"-inf", -inf, -inf, 40},
                          {"+-inf", inf, -inf, 301}, {"one inf", inf, inf, 1}, {"NaN and inf", nan, inf, 77}};
  for (double rate : {44100.0, 384000.0}) {
    for (int slot = 1; slot <= quivorant::kFactoryPresetCount; ++slot) {
      const quivorant::FactoryPreset& preset = Preset(slot);
      const double bound = quivorant::test::OutputBound(preset.values, rate, quivorant::test::HostileTempi());
      const std::size_t gap = static_cast<std::size_t>(rate * 0.02);
      StereoSignal in = quivorant::test::SquareWave(preset.values[quivorant::kParamFilterFreq] * 0.5, rate,
                                                    gap * (std::size(bursts) + 1));
      std::vector<std::pair<std::size_t, std::size_t>> spans;  // [start, end) of each burst
      for (std::size_t k = 0; k < std::size(bursts); ++k) {
        const std::size_t start = gap * (k + 1) - bursts[k].length;
        for (std::size_t i = 0; i < bursts[k].length; ++i) {
          in.left[start + i] = i % 2 == 0 ? bursts[k].a : bursts[k].b;
          in.right[start + i] = i % 3 == 0 ? bursts[k].b : bursts[k].a;
        }
        spans.emplace_back(start, start + bursts[k].length);
      }
      auto effect = Fresh(rate, slot);
      if (!effect) return;
      const StereoSignal out = quivorant::test::RunHostile(*effect, in);
      std::size_t from = 0;
      for (std::size_t k = 0; k < spans.size(); ++k) {
        const std::string where = std::string(preset.name) + " at " + std::to_string(static_cast<int>(rate)) +
                                  " Hz before/after burst " + bursts[k].name;
        CheckWithinBound(out, from, spans[k].first, bound, GetParam().wide, where);
        if (std::isnan(bursts[k].a) && std::isnan(bursts[k].b))
          CheckWithinBound(out, spans[k].first, spans[k].second, bound, GetParam().wide, where + " (NaN is silence)");
        from = spans[k].second + kRecoverySamples;
      }
      CheckWithinBound(out, from, out.size(), bound, GetParam().wide,
                       std::string(preset.name) + " after the last burst");
      if (HasFailure()) return;
    }
  }
}

TEST_P(Hostile, InputBelowTheFlushThresholdComesOutAsSilence) {
  // Double denormals, the smallest float denormal and normal numbers below 1e-24.
  const double tiny[] = {4.9e-324, -2.2e-310, 1.4e-45, -1e-30, 9.9e-25, 1e-40};
  for (int slot = 1; slot <= quivorant::kFactoryPresetCount; ++slot) {
    StereoSignal in;
    for (std::size_t i = 0; i < 20000; ++i) {
      in.left.push_back(tiny[i % std::size(tiny)]);
      in.right.push_back(-tiny[(i / 3) % std::size(tiny)]);
    }
    auto effect = Fresh(48000.0, slot);
    if (!effect) return;
    const StereoSignal out = quivorant::test::RunHostile(*effect, in);
    for (std::size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(out.left[i], 0.0) << Preset(slot).name << " sample " << i;
      ASSERT_EQ(out.right[i], 0.0) << Preset(slot).name << " sample " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Hostile,
                         testing::Values(Lane{Format::kVst3, false}, Lane{Format::kVst3, true},
                                         Lane{Format::kVst2, false}, Lane{Format::kVst2, true}),
                         LaneName);

}  // namespace
