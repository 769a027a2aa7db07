// The block loop against the effect's arithmetic written out plainly, one sample and one channel
// at a time: outputs, flushed inputs, filter state and LFO position must agree bit for bit,
// however the loop gets its speed. The input has tiny, NaN, infinite and huge samples and long
// silences (so that the state decays through the flush), and parameters change between blocks
// while each LFO target sweeps, over short cycles and over cycles longer than the kept results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "effect/LfoWave.h"
#include "plug/Rounding.h"
#include "tests/effect/EffectRig.h"

namespace quivorant {
namespace {

// One block from a snapshot of the effect's state, every rule applied in turn.
class PlainEffect {
public:
  explicit PlainEffect(const CLS_QUIVORANT& fx) : filter_(fx.Filter()), c_(fx.Coefficients()), lfo_(fx.Lfo()) {
    s_[0] = fx.ChannelState(0);
    s_[1] = fx.ChannelState(1);
  }

  void Process(double* const* in, double* const* out, int frames) {
    const bool running = lfo_.period > 0 && lfo_.step > 0;
    std::int64_t next = lfo_.nextUpdate;
    for (int i = 0; i < frames; ++i) {
      if (running && i == next) {
        Update();
        next += lfo_.step;
      }
      for (int ch = 0; ch < 2; ++ch) out[ch][i] = Step(in[ch] + i, s_[ch]);
      for (BiquadState& s : s_) {
        s.w2 = s.w1;
        s.w1 = s.w0;
      }
    }
    lfo_.nextUpdate = static_cast<std::int32_t>(next - frames);
  }

  void ExpectSameState(const CLS_QUIVORANT& fx) const {
    for (int ch = 0; ch < 2; ++ch) {
      EXPECT_TRUE(SameBits(s_[ch].w0, fx.ChannelState(ch).w0)) << ch;
      EXPECT_TRUE(SameBits(s_[ch].w1, fx.ChannelState(ch).w1)) << ch;
      EXPECT_TRUE(SameBits(s_[ch].w2, fx.ChannelState(ch).w2)) << ch;
    }
    EXPECT_EQ(lfo_.phase, fx.Lfo().phase);
    EXPECT_EQ(lfo_.nextUpdate, fx.Lfo().nextUpdate);
    EXPECT_EQ(filter_.frequency, fx.Filter().frequency);
    EXPECT_TRUE(SameBits(c_.a1, fx.Coefficients().a1));
  }

  static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

private:
  void Update() {
    if (lfo_.target == kLfoTargetNone) return;
    const double v = LfoWaveValue(lfo_.wave, lfo_.phase, lfo_.period, lfo_.range, lfo_.offset);
    if (lfo_.target == kLfoTargetMix) {
      filter_.wet = static_cast<float>(v);
      filter_.dry = 1.0f - filter_.wet;
    } else {
      if (lfo_.target == kLfoTargetFrequency)
        filter_.frequency = RoundHalfAway(v);
      else
        filter_.bandwidth = static_cast<float>(v);
      DesignBiquad(filter_.type, filter_.frequency, filter_.bandwidth, filter_.sampleRate, &c_);
    }
    lfo_.phase += lfo_.step;
    if (lfo_.phase >= lfo_.period) lfo_.phase = 0;
  }

  double Step(double* in, BiquadState& s) const {
    double x = *in;
    if (!(std::fabs(x) >= 1e-24)) x = *in = 0.0;
    if (!(std::fabs(s.w1) >= 1e-24)) s.w1 = 0.0;
    if (!(std::fabs(s.w2) >= 1e-24)) s.w2 = 0.0;
    s.w0 = x * c_.b0 - (c_.a1 * s.w1 + c_.a2 * s.w2);
    double y = s.w0 - s.w2;
    if (filter_.type == kFilterLowpass) y = ((s.w1 + s.w0) + s.w1) + s.w2;
    if (filter_.type == kFilterHighpass) y = (((x - s.w0) - s.w1) - s.w1) - s.w2;
    y = y * static_cast<double>(filter_.wet) + static_cast<double>(filter_.dry) * x;
    if (!(std::fabs(s.w0) <= std::numeric_limits<double>::max())) s = BiquadState();
    return y;
  }

  FilterSettings filter_;
  BiquadCoefficients c_;
  BiquadState s_[2];
  LfoState lfo_;
};

// Host buffers for one block; with `aliased`, channel 0's output is channel 1's input.
struct Buffers {
  Buffers(const std::vector<double>& left, const std::vector<double>& right, bool aliased)
      : in0(left), in1(right), out0(left.size(), -1.0), out1(left.size(), -1.0) {
    ins[0] = in0.data();
    ins[1] = in1.data();
    outs[0] = aliased ? in1.data() : out0.data();
    outs[1] = out1.data();
  }
  std::vector<double> in0, in1, out0, out1;
  double* ins[2];
  double* outs[2];
};

// Noise with the values that the flush and the overflow guard act on, and silences.
std::vector<double> HostileInput(int frames, std::uint32_t seed) {
  std::vector<double> v = test::TestNoise(frames, seed);
  const double specials[] = {1e-30, -1e-25, 1e-24, -0.0, std::nan(""), 1e300, std::numeric_limits<double>::infinity()};
  std::mt19937 pick(seed);
  for (int k = 0; k < 6; ++k) v[pick() % frames] = specials[pick() % 7];
  const int silence = static_cast<int>(pick() % 4) * 2000;
  for (int i = std::max(frames - silence, 0); i < frames; ++i) v[i] = i % 997 == 0 ? 1e-26 : 0.0;
  return v;
}

TEST(EffectExactness, BlockLoopMatchesThePlainArithmetic) {
  const std::uint32_t seed = 20261209;
  SCOPED_TRACE(seed);
  std::mt19937 random(seed);
  for (int target = kLfoTargetNone; target <= kLfoTargetMix; ++target) {
    for (int type : {kFilterLowpass, kFilterHighpass, kFilterBandpass}) {
      SCOPED_TRACE(testing::Message() << "target " << target << " type " << type);
      EffectRig rig(target == kLfoTargetMix ? 96000.0 : 44100.0, 120.0);
      rig.Set(kParamFilterType, type);
      rig.Set(kParamFilterBandwidth, 60);
      rig.Set(kParamLfoTarget, target);
      rig.Set(kParamLfoDepth, 90);
      rig.Set(kParamLfoRate, 0);  // cycles of 101 updates: the kept results come round again
      for (int block = 0; block < 60; ++block) {
        switch (random() % 10) {  // a change between blocks, or none
          case 0:
            rig.Set(kParamFilterFreq, 20 + random() % 19980);
            break;
          case 1:
            rig.Set(kParamFilterBandwidth, 1 + random() % 100);
            break;
          case 2:
            rig.Set(kParamLfoWave, random() % 6);
            break;
          case 3:
            rig.Set(kParamLfoDepth, random() % 101);
            break;
          case 4:
            rig.Set(kParamFilterType, random() % 3);
            break;
          case 5:
            // 5000 bpm makes the grid step one sample: "2/1" then has more updates than are kept.
            rig.host.tempo = random() % 4 ? 40.0 + random() % 200 : 5000.0;
            break;
          case 6:
            rig.Set(kParamLfoRate, random() % 2 ? 15 : random() % 4);
            break;
          default:
            break;
        }
        const int frames = block % 7 == 0 ? static_cast<int>(random() % 3) : 1 + static_cast<int>(random() % 9000);
        const std::vector<double> left = HostileInput(std::max(frames, 1), random());
        const std::vector<double> right = HostileInput(std::max(frames, 1), random());
        const bool aliased = block % 5 == 4;
        Buffers fxBuffers(left, right, aliased), plainBuffers(left, right, aliased);
        // A block of no frames first: the tempo check then happens before the snapshot.
        rig.fx->ProcessBlock(fxBuffers.ins, fxBuffers.outs, 0);
        PlainEffect plain(*rig.fx);
        rig.fx->ProcessBlock(fxBuffers.ins, fxBuffers.outs, frames);
        plain.Process(plainBuffers.ins, plainBuffers.outs, frames);
        for (int i = 0; i < frames; ++i) {
          for (int ch = 0; ch < 2; ++ch) {
            ASSERT_TRUE(PlainEffect::SameBits(fxBuffers.outs[ch][i], plainBuffers.outs[ch][i]))
                << "block " << block << " channel " << ch << " frame " << i;
            ASSERT_TRUE(PlainEffect::SameBits(fxBuffers.ins[ch][i], plainBuffers.ins[ch][i]))
                << "block " << block << " channel " << ch << " frame " << i;
          }
        }
        plain.ExpectSameState(*rig.fx);
      }
    }
  }
}

// The float path converts inside the filter loop: every sample must be what the double block gives
// on the widened input, narrowed, whether the host's buffers are apart, in place or crossed, and
// the host's inputs stay as they were.
TEST(EffectExactness, FloatBlocksAreTheDoubleBlocksNarrowed) {
  std::mt19937 random(20261210);
  for (int target = kLfoTargetNone; target <= kLfoTargetMix; ++target) {
    SCOPED_TRACE(testing::Message() << "target " << target);
    EffectRig wide, narrow;
    for (EffectRig* rig : {&wide, &narrow}) {
      rig->Set(kParamFilterType, target % 3);
      rig->Set(kParamLfoTarget, target);
      rig->Set(kParamLfoDepth, 90);
      rig->Set(kParamLfoRate, 0);
    }
    for (int block = 0; block < 24; ++block) {
      const int frames = 1 + static_cast<int>(random() % 3000);
      std::vector<float> host[2], hostIn[2];
      std::vector<double> in[2], out[2];
      for (int ch = 0; ch < 2; ++ch) {
        const std::vector<double> v = HostileInput(frames, random());
        host[ch].assign(v.begin(), v.end());
        in[ch].assign(host[ch].begin(), host[ch].end());
        out[ch].resize(frames);
      }
      hostIn[0] = host[0];
      hostIn[1] = host[1];
      std::vector<float> apart[2] = {std::vector<float>(frames), std::vector<float>(frames)};
      const float* fin[2] = {host[0].data(), host[1].data()};
      float* fout[2] = {apart[0].data(), apart[1].data()};
      if (block % 3 == 1) fout[0] = host[0].data(), fout[1] = host[1].data();
      if (block % 3 == 2) fout[0] = host[1].data(), fout[1] = host[0].data();
      double* dins[2] = {in[0].data(), in[1].data()};
      double* douts[2] = {out[0].data(), out[1].data()};
      wide.fx->ProcessBlock(dins, douts, frames);
      narrow.fx->ProcessFloatBlock(fin, fout, frames);
      for (int ch = 0; ch < 2; ++ch) {
        for (int i = 0; i < frames; ++i) {
          const float expected = static_cast<float>(out[ch][i]);
          ASSERT_EQ(std::memcmp(&expected, &fout[ch][i], sizeof expected), 0)
              << "block " << block << " channel " << ch << " frame " << i;
        }
        if (block % 3 == 0) {
          EXPECT_EQ(std::memcmp(host[ch].data(), hostIn[ch].data(), frames * sizeof(float)), 0);
        }
      }
    }
    for (int ch = 0; ch < 2; ++ch)
      EXPECT_TRUE(PlainEffect::SameBits(wide.fx->ChannelState(ch).w1, narrow.fx->ChannelState(ch).w1));
  }
}

}  // namespace
}  // namespace quivorant
