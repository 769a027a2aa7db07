#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/support/FakeCore.h"

namespace quivorant {
namespace {

using test::FakeCore;
using test::MakeIdentity;

// Remembers what ProcessBlock saw and writes input * gain + offset to each output.
class CapturingEffect : public FakeCore {
public:
  explicit CapturingEffect(const char* channels) : FakeCore(MakeIdentity(1, channels, 0)) {}
  void ProcessBlock(double** in, double** out, int n) override {
    ++blocks;
    frames = n;
    seenIn.assign(in, in + InputChannelCount());
    seenOut.assign(out, out + OutputChannelCount());
    firstIn.clear();
    for (int c = 0; c < InputChannelCount(); ++c) firstIn.push_back(n > 0 ? in[c][0] : -999.0);
    for (int c = 0; c < OutputChannelCount(); ++c) {
      const double* src = c < InputChannelCount() ? in[c] : nullptr;
      for (int i = 0; i < n; ++i) out[c][i] = (src ? src[i] : 0.0) * 2.0 + 0.25;
    }
  }
  int blocks = 0;
  int frames = -1;
  std::vector<double*> seenIn, seenOut;
  std::vector<double> firstIn;
};

TEST(ChannelConfig, ParsesPairsAndCounts) {
  struct Case {
    const char* config;
    std::vector<std::pair<int, int>> pairs;
    int ins, outs;
  };
  const Case cases[] = {
      {"1-1 2-2", {{1, 1}, {2, 2}}, 2, 2},
      {"2-2", {{2, 2}}, 2, 2},
      {"1-2 2-2 6-6", {{1, 2}, {2, 2}, {6, 6}}, 6, 6},
      {"0-2", {{0, 2}}, 0, 2},
      {"4-", {{4, 0}}, 4, 0},
      {"x-3", {{0, 0}}, 0, 0},
      {"", {}, 0, 0},
      {"1-1 ", {{1, 1}}, 1, 1},
      {"-1-2", {{-1, 2}}, 0, 2},  // a negative count never sizes a channel list
  };
  for (const Case& k : cases) {
    FakeCore fx(MakeIdentity(0, k.config, 0));
    std::vector<std::pair<int, int>> got;
    for (const ChannelPair& p : fx.ChannelPairs()) got.emplace_back(p.inputs, p.outputs);
    EXPECT_EQ(got, k.pairs) << k.config;
    EXPECT_EQ(fx.InputChannelCount(), k.ins) << k.config;
    EXPECT_EQ(fx.OutputChannelCount(), k.outs) << k.config;
  }
  FakeCore nullConfig(MakeIdentity(0, nullptr, 0));
  EXPECT_EQ(nullConfig.ChannelPairs().size(), 0u);
}

TEST(ChannelConfig, IsLegalIOMatchesAnyPairWithWildcards) {
  FakeCore fx(MakeIdentity(0, "1-1 2-2", 0));
  EXPECT_TRUE(fx.IsLegalIO(2, 2));
  EXPECT_TRUE(fx.IsLegalIO(1, 1));
  EXPECT_FALSE(fx.IsLegalIO(1, 2));
  EXPECT_TRUE(fx.IsLegalIO(-1, 2));
  EXPECT_TRUE(fx.IsLegalIO(1, -1));
  EXPECT_FALSE(fx.IsLegalIO(3, -1));
  EXPECT_FALSE(fx.IsLegalIO(0, 0));
}

TEST(Plumbing, PassThroughCopiesAndZeroesMissingInputs) {
  FakeCore stereo(MakeIdentity(0, "1-1 2-2", 0));
  stereo.SetInputConnections(0, 2, true);
  stereo.SetOutputConnections(0, 2, true);
  std::vector<double> inL{1, 2, 3}, inR{4, 5, 6}, outL(3, 9), outR(3, 9);
  double* ins[] = {inL.data(), inR.data()};
  double* outs[] = {outL.data(), outR.data()};
  stereo.AttachInputs(0, 2, ins);
  stereo.AttachOutputs(0, 2, outs);
  stereo.PassThrough(kDoublePrecision, 3);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);

  FakeCore monoToStereo(MakeIdentity(0, "1-2", 0));
  monoToStereo.SetInputConnections(0, 1, true);
  monoToStereo.SetOutputConnections(0, 2, true);
  std::fill(outL.begin(), outL.end(), 9);
  std::fill(outR.begin(), outR.end(), 9);
  monoToStereo.AttachInputs(0, 1, ins);
  monoToStereo.AttachOutputs(0, 2, outs);
  monoToStereo.PassThrough(kDoublePrecision, 3);
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, std::vector<double>(3, 0.0));

  // In place: input and output are the same host buffer.
  std::vector<double> shared{7, 8};
  double* same[] = {shared.data(), shared.data()};
  stereo.AttachInputs(0, 2, same);
  stereo.AttachOutputs(0, 2, same);
  stereo.PassThrough(kDoublePrecision, 2);
  EXPECT_EQ(shared, (std::vector<double>{7, 8}));
}

TEST(Plumbing, DisconnectedChannelsReadScratchAndConsumeNoHostBuffer) {
  CapturingEffect fx("2-2");
  fx.SetEffectReady(true);
  fx.SetBlockSize(4);
  fx.SetInputConnections(0, 1, false);
  fx.SetInputConnections(1, 1, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<double> a{1, 1, 1, 1}, b{2, 2, 2, 2}, o0(4), o1(4);
  double* ins[] = {a.data(), b.data()};
  double* outs[] = {o0.data(), o1.data()};
  fx.AttachInputs(0, 2, ins);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffers(kDoublePrecision, 4);
  ASSERT_EQ(fx.blocks, 1);
  // Channel 1 took the first host buffer; channel 0 read its zeroed scratch.
  EXPECT_EQ(fx.seenIn[1], a.data());
  EXPECT_NE(fx.seenIn[0], a.data());
  EXPECT_NE(fx.seenIn[0], b.data());
  EXPECT_EQ(fx.firstIn[0], 0.0);
  EXPECT_EQ(o0, std::vector<double>(4, 0.25));
  EXPECT_EQ(o1, std::vector<double>(4, 2.25));
}

TEST(Plumbing, DoubleOutputsUntouchedUntilTheEffectIsReady) {
  CapturingEffect fx("2-2");
  fx.SetBlockSize(4);
  fx.SetInputConnections(0, 2, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<double> a(4, 1.0), o0(4, 5.0), o1(4, 5.0);
  double* ins[] = {a.data(), a.data()};
  double* outs[] = {o0.data(), o1.data()};
  fx.AttachInputs(0, 2, ins);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffers(kDoublePrecision, 4);
  EXPECT_EQ(fx.blocks, 0);
  EXPECT_EQ(o0, std::vector<double>(4, 5.0));
}

TEST(Plumbing, SinglePrecisionConvertsBothWays) {
  CapturingEffect fx("2-2");
  fx.SetBlockSize(3);
  fx.SetInputConnections(0, 2, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<float> a{0.5f, -1.0f, 0.125f}, b{1, 2, 3}, o0(3, 7.0f), o1(3, 7.0f);
  float* ins[] = {a.data(), b.data()};
  float* outs[] = {o0.data(), o1.data()};

  // Not ready: the host receives the scratch contents, silence after SetBlockSize.
  fx.AttachInputs(0, 2, ins, 3);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffers(kSinglePrecision, 3);
  EXPECT_EQ(o0, std::vector<float>(3, 0.0f));

  fx.SetEffectReady(true);
  fx.AttachInputs(0, 2, ins, 3);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffers(kSinglePrecision, 3);
  EXPECT_EQ(fx.firstIn[0], 0.5);  // widened exactly
  EXPECT_EQ(o0, (std::vector<float>{1.25f, -1.75f, 0.5f}));
  EXPECT_EQ(o1, (std::vector<float>{2.25f, 4.25f, 6.25f}));

  // Accumulating adds onto what the host buffer holds.
  std::fill(o0.begin(), o0.end(), 1.0f);
  fx.AttachInputs(0, 2, ins, 3);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffersAccumulating(kSinglePrecision, 3);
  EXPECT_EQ(o0, (std::vector<float>{2.25f, -0.75f, 1.5f}));

  // The single-precision pass-through converts the copy as well.
  fx.AttachInputs(0, 2, ins, 3);
  fx.AttachOutputs(0, 2, outs);
  fx.PassThrough(kSinglePrecision, 3);
  EXPECT_EQ(o0, a);
  EXPECT_EQ(o1, b);
}

TEST(Plumbing, SetBlockSizeKeepsScratchForSameSizeAndIgnoresNegative) {
  CapturingEffect fx("1-1");
  fx.SetEffectReady(true);
  fx.SetBlockSize(2);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 1, true);
  std::vector<float> a{3, 4}, o(2);
  float* ins[] = {a.data()};
  float* outs[] = {o.data()};
  fx.AttachInputs(0, 1, ins, 2);
  // Disconnecting keeps the channel on its scratch, which holds the converted samples.
  fx.SetInputConnections(0, 1, false);
  fx.SetBlockSize(2);
  fx.SetBlockSize(-7);
  EXPECT_EQ(fx.BlockSize(), 2);
  fx.AttachOutputs(0, 1, outs);
  fx.ProcessBuffers(kSinglePrecision, 2);
  EXPECT_EQ(o, (std::vector<float>{6.25f, 8.25f}));

  fx.SetBlockSize(5);  // a new size zeroes
  fx.AttachOutputs(0, 1, outs);
  fx.ProcessBuffers(kSinglePrecision, 2);
  EXPECT_EQ(o, (std::vector<float>{0.25f, 0.25f}));
}

TEST(Plumbing, ConnectionRangesNeverLeaveTheChannelList) {
  FakeCore fx(MakeIdentity(0, "2-2", 0));
  fx.SetInputConnections(-3, 100, true);
  EXPECT_TRUE(fx.IsInputConnected(0));
  EXPECT_TRUE(fx.IsInputConnected(1));
  fx.SetInputConnections(1, INT_MAX, false);
  EXPECT_TRUE(fx.IsInputConnected(0));
  EXPECT_FALSE(fx.IsInputConnected(1));
  fx.SetInputConnections(INT_MAX, INT_MAX, true);
  fx.SetInputConnections(INT_MIN, INT_MAX, false);
  EXPECT_TRUE(fx.IsInputConnected(0));  // INT_MIN + INT_MAX = -1: nothing in range
  fx.SetOutputConnections(0, -5, true);
  EXPECT_FALSE(fx.IsOutputConnected(0));
  EXPECT_FALSE(fx.IsOutputConnected(-1));
  EXPECT_FALSE(fx.IsOutputConnected(2));

  std::vector<double> a(4);
  double* one[] = {a.data()};
  fx.SetBlockSize(4);
  fx.AttachInputs(INT_MIN, INT_MAX, one);
  fx.AttachInputs(-1, 2, one);  // only channel 0 in range: takes exactly one buffer
  fx.AttachOutputs(5, 10, one);
  fx.AttachOutputs(0, 2, static_cast<double**>(nullptr));
  fx.PassThrough(kDoublePrecision, 4);
}

TEST(Plumbing, BlocksLongerThanTheScratchAreCutAndSilenced) {
  CapturingEffect fx("1-1");
  fx.SetEffectReady(true);
  fx.SetBlockSize(4);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 1, true);
  std::vector<float> a(10, 1.0f), o(10, 7.0f);
  float* ins[] = {a.data()};
  float* outs[] = {o.data()};
  fx.AttachInputs(0, 1, ins, 10);
  fx.AttachOutputs(0, 1, outs);
  fx.ProcessBuffers(kSinglePrecision, 10);
  EXPECT_EQ(fx.frames, 4);
  EXPECT_EQ(o, (std::vector<float>{2.25f, 2.25f, 2.25f, 2.25f, 0, 0, 0, 0, 0, 0}));

  // Double precision with every slot on a host buffer needs no cut.
  std::vector<double> da(10, 1.0), dout(10, 7.0);
  double* dins[] = {da.data()};
  double* douts[] = {dout.data()};
  fx.AttachInputs(0, 1, dins);
  fx.AttachOutputs(0, 1, douts);
  fx.ProcessBuffers(kDoublePrecision, 10);
  EXPECT_EQ(fx.frames, 10);
  EXPECT_EQ(dout, std::vector<double>(10, 2.25));

  // ...but a disconnected input reads its block-size scratch buffer, which still holds the
  // samples converted into it above.
  fx.SetInputConnections(0, 1, false);
  std::fill(dout.begin(), dout.end(), 7.0);
  fx.AttachOutputs(0, 1, douts);
  fx.ProcessBuffers(kDoublePrecision, 10);
  EXPECT_EQ(fx.frames, 4);
  EXPECT_EQ(dout, (std::vector<double>{2.25, 2.25, 2.25, 2.25, 0, 0, 0, 0, 0, 0}));

  // Before any block size, nothing is read from or written to an empty scratch buffer.
  CapturingEffect fresh("1-1");
  fresh.SetEffectReady(true);
  fresh.SetOutputConnections(0, 1, true);
  fresh.AttachOutputs(0, 1, outs);
  fresh.ProcessBuffers(kSinglePrecision, 10);
  EXPECT_EQ(fresh.frames, 0);
  EXPECT_EQ(o, std::vector<float>(10, 0.0f));
}

TEST(Plumbing, AnAbsurdBlockSizeLeavesAWorkingInstance) {
  CapturingEffect fx("1-1");
  fx.SetEffectReady(true);
  fx.SetBlockSize(INT_MAX);  // must neither throw nor exhaust memory
  ASSERT_GE(fx.BlockSize(), 8192);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 1, true);
  std::vector<float> a(8192, 1.0f), o(8192);
  float* ins[] = {a.data()};
  float* outs[] = {o.data()};
  fx.AttachInputs(0, 1, ins, 8192);
  fx.AttachOutputs(0, 1, outs);
  fx.ProcessBuffers(kSinglePrecision, 8192);
  EXPECT_EQ(o, std::vector<float>(8192, 2.25f));
}

TEST(Plumbing, HostBuffersAreForgottenAfterEachBlock) {
  CapturingEffect fx("1-1");
  fx.SetEffectReady(true);
  fx.SetBlockSize(2);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 1, true);
  std::vector<float> a{1, 1}, o(2, 7.0f);
  float* ins[] = {a.data()};
  float* outs[] = {o.data()};
  fx.AttachInputs(0, 1, ins, 2);
  fx.AttachOutputs(0, 1, outs);
  fx.ProcessBuffers(kSinglePrecision, 2);
  std::fill(o.begin(), o.end(), 7.0f);
  // A block without attachments must not write into the previous block's buffer.
  fx.ProcessBuffers(kSinglePrecision, 2);
  EXPECT_EQ(o, std::vector<float>(2, 7.0f));
}

TEST(Plumbing, NullHostBuffersBecomeSilence) {
  CapturingEffect fx("2-2");
  fx.SetEffectReady(true);
  fx.SetBlockSize(2);
  fx.SetInputConnections(0, 2, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<double> a{1, 1}, o0(2), o1(2);
  double* ins[] = {nullptr, a.data()};
  double* outs[] = {o0.data(), nullptr};
  fx.AttachInputs(0, 2, ins);
  fx.AttachOutputs(0, 2, outs);
  fx.ProcessBuffers(kDoublePrecision, 2);
  EXPECT_EQ(fx.firstIn[0], 0.0);
  EXPECT_EQ(o0, std::vector<double>(2, 0.25));
}

TEST(Plumbing, LimitToStereoIO) {
  FakeCore fx(MakeIdentity(0, "4-4", 0));
  fx.SetInputConnections(0, 4, true);
  fx.LimitToStereoIO();
  EXPECT_TRUE(fx.IsInputConnected(1));
  EXPECT_FALSE(fx.IsInputConnected(2));
  EXPECT_FALSE(fx.IsInputConnected(3));
  EXPECT_FALSE(fx.IsOutputConnected(1));
  EXPECT_TRUE(fx.IsOutputConnected(2));
  EXPECT_TRUE(fx.IsOutputConnected(3));
}

TEST(Identity, VersionTempoAndNames) {
  FakeCore fx(MakeIdentity(0, "1-1", 0));
  EXPECT_EQ(fx.EffectVersion(true), 13000);
  EXPECT_EQ(fx.EffectVersion(false), 73216);
  EXPECT_EQ(fx.SampleRate(), 44100.0);
  fx.SetSampleRate(48000.0);
  fx.tempo = 120.0;
  EXPECT_EQ(fx.SamplesPerBeat(), 24000.0);
  fx.tempo = 0.0;
  EXPECT_EQ(fx.SamplesPerBeat(), 0.0);
  fx.tempo = -30.0;
  EXPECT_EQ(fx.SamplesPerBeat(), 0.0);
  EXPECT_STREQ(fx.EffectName(), "testfx");
  EXPECT_STREQ(fx.ProductName(), "");

  EffectIdentity id = MakeIdentity(0, "1-1", 0);
  const std::string longName(200, 'n');
  id.effectName = longName.c_str();
  id.productName = nullptr;
  FakeCore cut(id);
  EXPECT_EQ(std::string(cut.EffectName()), std::string(127, 'n'));
  EXPECT_STREQ(cut.ProductName(), "");

  fx.SetOutputBusName(0, "Output");
  fx.SetOutputBusName(0, "Out");
  fx.SetInputBusName(1, "Aux Input");
  EXPECT_STREQ(fx.OutputBusName(0), "Out");
  EXPECT_STREQ(fx.InputBusName(0), "");
  EXPECT_STREQ(fx.InputBusName(1), "Aux Input");
  EXPECT_STREQ(fx.InputBusName(-1), "");
}

}  // namespace
}  // namespace quivorant
