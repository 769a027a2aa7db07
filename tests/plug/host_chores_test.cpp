// The core's host chores as every front end uses them: a host's parameter write and a host
// block with missing buffers, and which float blocks the effect's direct path takes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/FakeCore.h"

namespace quivorant::test {
namespace {

// Two parameters of range -10..10; an attached editor that records its pushes.
struct WriteRig {
  WriteRig() : fx(MakeIdentity(2, "1-1", 0)) {
    for (int i = 0; i < 2; ++i) fx.GetParam(i)->SetupDouble("p", 0.0, -10.0, 10.0, 0.01);
    fx.AttachGraphics(editor);
    editor->pushes.clear();
  }
  FakeCore fx;
  FakeEditor* editor = new FakeEditor(30);
};

TEST(HostWrites, RefusalsChangeNothing) {
  WriteRig r;
  EXPECT_FALSE(r.fx.SetParamFromHost(2, 0.5, HostWrite::kUserThread));
  EXPECT_FALSE(r.fx.SetParamFromHost(-1, 0.5, HostWrite::kUserThread));
  EXPECT_FALSE(r.fx.SetParamFromHost(0, std::nan(""), HostWrite::kUserThread));
  EXPECT_FALSE(r.fx.SetPlainParamFromHost(0, std::nan(""), HostWrite::kUserThread));
  EXPECT_EQ(r.fx.GetParam(0)->CurrentValue(), 0.0);
  EXPECT_TRUE(r.editor->pushes.empty());
  EXPECT_TRUE(r.fx.changed.empty());
}

TEST(HostWrites, EachSourceReachesControlsAndEffectAsItMay) {
  WriteRig r;
  // User-interface thread: limited, stored, shown at once, then the effect.
  EXPECT_TRUE(r.fx.SetParamFromHost(0, 1.5, HostWrite::kUserThread));
  EXPECT_EQ(r.fx.GetParam(0)->CurrentValue(), 10.0);
  ASSERT_EQ(r.editor->pushes.size(), 1u);
  EXPECT_EQ(r.editor->pushes[0].value, 1.0);
  EXPECT_TRUE(r.editor->pushes[0].normalized);
  EXPECT_EQ(r.fx.changed, std::vector<int>{0});
  // Audio thread: the effect at once, the controls only from the next sync.
  EXPECT_TRUE(r.fx.SetParamFromHost(1, 0.0, HostWrite::kAudioThread));
  EXPECT_EQ(r.editor->pushes.size(), 1u);
  EXPECT_EQ(r.fx.changed, (std::vector<int>{0, 1}));
  r.fx.SyncEditorControls();
  ASSERT_EQ(r.editor->pushes.size(), 2u);
  EXPECT_EQ(r.editor->pushes[1].index, 1);
  // The controller's mirror: stored and shown, the effect hears it through the audio thread.
  EXPECT_TRUE(r.fx.SetParamFromHost(1, 0.75, HostWrite::kMirror));
  EXPECT_EQ(r.fx.GetParam(1)->CurrentValue(), 5.0);
  EXPECT_EQ(r.editor->pushes.size(), 3u);
  EXPECT_EQ(r.fx.changed.size(), 2u);
}

TEST(HostWrites, PlainValuesAreLimitedAndShownAsStored) {
  WriteRig r;
  EXPECT_TRUE(r.fx.SetPlainParamFromHost(1, -99.0, HostWrite::kUserThread));
  EXPECT_EQ(r.fx.GetParam(1)->CurrentValue(), -10.0);
  ASSERT_EQ(r.editor->pushes.size(), 1u);
  EXPECT_EQ(r.editor->pushes[0].value, -10.0);
  EXPECT_FALSE(r.editor->pushes[0].normalized);
  EXPECT_EQ(r.fx.changed, std::vector<int>{1});
}

TEST(HostBlock, AMissingInputGivesReplacedOutputsSilenceInEitherWidth) {
  FakeCore fx(MakeIdentity(0, "1-1", 0));
  fx.SetEffectReady(true);
  fx.SetBlockSize(8);
  fx.SetInputConnections(0, 1, true);
  fx.SetOutputConnections(0, 1, true);
  std::vector<float> f(20, 3.0f);
  std::vector<double> d(20, 3.0);
  float* fo[] = {f.data()};
  double* dout[] = {d.data()};
  float* noFloat[] = {nullptr};
  double* noDouble[] = {nullptr};
  fx.ProcessHostBlock(noFloat, fo, 20, OutputMode::kAccumulate);
  EXPECT_EQ(f, std::vector<float>(20, 3.0f));
  fx.ProcessHostBlock(noFloat, fo, 20, OutputMode::kReplace);
  EXPECT_EQ(f, std::vector<float>(20, 0.0f));
  fx.ProcessHostBlock(noDouble, dout, 20);
  EXPECT_EQ(d, std::vector<double>(20, 0.0));
}

// Records the blocks that reach the direct float path.
struct DirectSpy : FloatBlockProcessor {
  void ProcessFloatBlock(const float* const*, float* const*, int nFrames) override { pieces.push_back(nFrames); }
  std::vector<int> pieces;
};

TEST(HostBlock, OnlyPlainReplacedStereoFloatBlocksGoDirect) {
  FakeCore fx(MakeIdentity(0, "2-2", 0));
  DirectSpy spy;
  fx.SetFloatBlockProcessor(&spy);
  fx.SetEffectReady(true);
  fx.SetBlockSize(8);
  fx.SetInputConnections(0, 2, true);
  fx.SetOutputConnections(0, 2, true);
  std::vector<float> a(21), b(21), c(21), d(21);
  float* in[] = {a.data(), b.data()};
  float* out[] = {c.data(), d.data()};
  float* inPlace[] = {b.data(), a.data()};
  float* shifted[] = {a.data() + 1, d.data()};

  fx.ProcessHostBlock(in, out, 20, OutputMode::kReplace);
  fx.ProcessHostBlock(in, inPlace, 20, OutputMode::kReplace);
  EXPECT_EQ(spy.pieces, (std::vector<int>{8, 8, 4, 8, 8, 4}));
  spy.pieces.clear();

  // Each of these keeps the converting path, whose rules decide the result.
  fx.ProcessHostBlock(in, shifted, 20, OutputMode::kReplace);
  fx.ProcessHostBlock(in, out, 20, OutputMode::kAccumulate);
  fx.SetBypassed(true);
  fx.ProcessHostBlock(in, out, 20, OutputMode::kReplace);
  fx.SetBypassed(false);
  fx.SetOutputConnections(1, 1, false);
  fx.ProcessHostBlock(in, out, 20, OutputMode::kReplace);
  EXPECT_TRUE(spy.pieces.empty());
}

}  // namespace
}  // namespace quivorant::test
