// The three audio callbacks and the parameter callbacks: readiness, replacing against
// accumulating, the untouched double path, blocks longer than the scratch buffers, disconnected
// channels and missing host buffers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/support/Vst2Host.h"
#include "tests/vst2/frontend/TestEffect.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {

template <typename Sample>
struct StereoBuffers {
  explicit StereoBuffers(int frames, Sample inValue = 0, Sample outValue = 0)
      : in{std::vector<Sample>(frames), std::vector<Sample>(frames)},
        out{std::vector<Sample>(frames, outValue), std::vector<Sample>(frames, outValue)} {
    for (int c = 0; c < 2; ++c) {
      for (int i = 0; i < frames; ++i) in[c][i] = inValue * Sample(c + 1) + Sample(i) / Sample(1024);
      inPtr[c] = in[c].data();
      outPtr[c] = out[c].data();
    }
  }
  std::vector<Sample> in[2];
  std::vector<Sample> out[2];
  Sample* inPtr[2];
  Sample* outPtr[2];
};

using Vst2Audio = Vst2FrontendTest;

TEST_F(Vst2Audio, BeforeOpenReplacingGivesSilenceAndTheOthersLeaveOutputsAlone) {
  StereoBuffers<float> f(64, 0.5f, 9.0f);
  effect->processReplacing(effect, f.inPtr, f.outPtr, 64);
  for (int c = 0; c < 2; ++c)
    for (float x : f.out[c]) ASSERT_EQ(x, 0.0f);
  StereoBuffers<float> acc(64, 0.5f, 9.0f);
  effect->process(effect, acc.inPtr, acc.outPtr, 64);
  for (int c = 0; c < 2; ++c)
    for (float x : acc.out[c]) ASSERT_EQ(x, 9.0f);
  StereoBuffers<double> d(64, 0.5, 9.0);
  effect->processDoubleReplacing(effect, d.inPtr, d.outPtr, 64);
  for (int c = 0; c < 2; ++c)
    for (double x : d.out[c]) ASSERT_EQ(x, 9.0);
  EXPECT_TRUE(fx->blockFrames.empty());
}

TEST_F(Vst2Audio, AfterOpenEachCallbackProcesses) {
  Dispatch(effect, effOpen);
  StereoBuffers<float> f(100, 0.25f, 9.0f);
  effect->processReplacing(effect, f.inPtr, f.outPtr, 100);
  StereoBuffers<float> acc(100, 0.25f, 1.0f);
  effect->process(effect, acc.inPtr, acc.outPtr, 100);
  StereoBuffers<double> d(100, 0.25, 9.0);
  effect->processDoubleReplacing(effect, d.inPtr, d.outPtr, 100);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < 100; ++i) {
      ASSERT_EQ(f.out[c][i], 0.5f * f.in[c][i]);
      ASSERT_EQ(acc.out[c][i], 1.0f + 0.5f * acc.in[c][i]);
      ASSERT_EQ(d.out[c][i], 0.5 * d.in[c][i]);
    }
  }
}

TEST_F(Vst2Audio, BlocksLongerThanTheBlockSizeArriveInPieces) {
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetBlockSize, 0, 64);
  const int frames = 200;
  StereoBuffers<float> f(frames, 0.25f, 9.0f);
  effect->processReplacing(effect, f.inPtr, f.outPtr, frames);
  EXPECT_EQ(fx->blockFrames, (std::vector<int>{64, 64, 64, 8}));
  StereoBuffers<float> acc(frames, 0.25f, 2.0f);
  effect->process(effect, acc.inPtr, acc.outPtr, frames);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < frames; ++i) {
      ASSERT_EQ(f.out[c][i], 0.5f * f.in[c][i]) << i;
      ASSERT_EQ(acc.out[c][i], 2.0f + 0.5f * acc.in[c][i]) << i;
    }
  }
  // Double precision with every channel on host buffers: one call, whatever its length.
  fx->blockFrames.clear();
  StereoBuffers<double> d(frames, 0.25, 9.0);
  effect->processDoubleReplacing(effect, d.inPtr, d.outPtr, frames);
  EXPECT_EQ(fx->blockFrames, std::vector<int>{frames});
  // With a disconnected input its scratch buffer is read, so pieces again.
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), nullptr);
  Dispatch(effect, effSetBlockSize, 0, 32);  // fresh, zeroed scratch
  fx->blockFrames.clear();
  effect->processDoubleReplacing(effect, d.inPtr, d.outPtr, frames);
  EXPECT_EQ(fx->blockFrames, (std::vector<int>{32, 32, 32, 32, 32, 32, 8}));
  for (int i = 0; i < frames; ++i) {
    ASSERT_EQ(d.out[0][i], 0.5 * d.in[0][i]);
    ASSERT_EQ(d.out[1][i], 0.0);  // the disconnected channel's scratch holds zeros
  }
}

TEST_F(Vst2Audio, DisconnectedInputTakesNoHostBuffer) {
  Dispatch(effect, effOpen);
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  VstSpeakerArrangement stereo{};
  stereo.numChannels = 2;
  Dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo);
  std::vector<float> only(32, 0.75f);
  std::vector<float> left(32, 5.0f), right(32, 5.0f);
  float* in[1] = {only.data()};
  float* out[2] = {left.data(), right.data()};
  effect->processReplacing(effect, in, out, 32);
  for (int i = 0; i < 32; ++i) {
    ASSERT_EQ(left[i], 0.375f);
    ASSERT_EQ(right[i], 0.0f);
  }
}

TEST_F(Vst2Audio, MissingHostBuffersAndOddFrameCountsAreHarmless) {
  Dispatch(effect, effOpen);
  std::vector<float> a(16, 1.0f), b(16, 3.0f);
  float* out[2] = {a.data(), b.data()};
  effect->processReplacing(effect, nullptr, out, 16);  // no inputs: silence
  for (int i = 0; i < 16; ++i) ASSERT_EQ(a[i] + b[i], 0.0f);
  std::fill(a.begin(), a.end(), 1.0f);
  effect->process(effect, nullptr, out, 16);  // accumulating adds nothing
  EXPECT_EQ(a[15], 1.0f);
  float* holes[2] = {a.data(), nullptr};
  effect->processReplacing(effect, holes, holes, 16);
  effect->processReplacing(effect, holes, nullptr, 16);
  double* dholes[2] = {nullptr, nullptr};
  effect->processDoubleReplacing(effect, dholes, dholes, 16);
  effect->processReplacing(effect, out, out, 0);
  effect->processReplacing(effect, out, out, -5);
  EXPECT_EQ(a[0], 1.0f);
  EXPECT_TRUE(fx->blockFrames.empty());
}

TEST_F(Vst2Audio, SameBufferForInputAndOutput) {
  Dispatch(effect, effOpen);
  std::vector<float> l(48, 0.5f), r(48, -0.5f);
  float* io[2] = {l.data(), r.data()};
  effect->processReplacing(effect, io, io, 48);
  EXPECT_EQ(l[47], 0.25f);
  EXPECT_EQ(r[0], -0.25f);
}

TEST_F(Vst2Audio, ParameterCallbacks) {
  fx->paramChanges.clear();
  fx->editor->pushes.clear();
  effect->setParameter(effect, 1, 1.0f);
  EXPECT_EQ(fx->GetParam(1)->value, 20000.0);
  EXPECT_EQ(effect->getParameter(effect, 1), 1.0f);
  EXPECT_EQ(fx->paramChanges, std::vector<int>{1});
  ASSERT_EQ(fx->editor->pushes.size(), 1u);
  EXPECT_TRUE(fx->editor->pushes[0].normalized);
  EXPECT_EQ(fx->editor->pushes[0].value, 1.0);

  effect->setParameter(effect, 1, 0.5f);
  EXPECT_EQ(fx->GetParam(1)->value, 5015.0);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, 1), 0.5f);
  effect->setParameter(effect, 0, 0.3f);  // a list rounds to its nearest entry
  EXPECT_EQ(fx->GetParam(0)->value, 1.0);

  // Out of 0..1, NaN and invalid indices.
  effect->setParameter(effect, 2, 7.0f);
  EXPECT_EQ(fx->GetParam(2)->value, 1.0);
  effect->setParameter(effect, 2, -7.0f);
  EXPECT_EQ(fx->GetParam(2)->value, -1.0);
  effect->setParameter(effect, 2, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(fx->GetParam(2)->value, -1.0);
  const size_t changes = fx->paramChanges.size();
  effect->setParameter(effect, 3, 0.5f);
  effect->setParameter(effect, -1, 0.5f);
  EXPECT_EQ(fx->paramChanges.size(), changes);
  EXPECT_EQ(effect->getParameter(effect, 3), 0.0f);
  EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
}

TEST(Vst2AudioMidi, AudioCallbacksAskForMidiOnlyWithMidi) {
  RecordingHost host;
  SetNextSetup(TestEffectSetup{});
  AEffect* e = CreatePlugin(RecordingHost::Callback);
  StereoBuffers<float> f(8);
  StereoBuffers<double> d(8);
  e->processReplacing(e, f.inPtr, f.outPtr, 8);
  e->processDoubleReplacing(e, d.inPtr, d.outPtr, 8);
  EXPECT_TRUE(host.CallsOf(audioMasterWantMidi).empty());
  Dispatch(e, effClose);
  TestEffectSetup midi;
  midi.midiMode = 2;
  SetNextSetup(midi);
  e = CreatePlugin(RecordingHost::Callback);
  e->processReplacing(e, f.inPtr, f.outPtr, 8);
  e->process(e, f.inPtr, f.outPtr, 8);
  e->processDoubleReplacing(e, d.inPtr, d.outPtr, 8);
  EXPECT_EQ(host.CallsOf(audioMasterWantMidi).size(), 3u);
  Dispatch(e, effClose);
}

}  // namespace
}  // namespace quivorant::test
