// The built library's audio: readiness, the three callbacks, the filter's response measured
// against the response the design implies, disconnected inputs, long host blocks, tempo
// requests, and a host without a callback.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "tests/support/Vst2Plugin.h"

namespace quivorant::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<double> Sine(double hz, double rate, int frames, double amplitude = 0.5) {
  std::vector<double> x(frames);
  for (int i = 0; i < frames; ++i) x[i] = amplitude * std::sin(2.0 * kPi * hz * i / rate);
  return x;
}

double Peak(const std::vector<double>& x, std::size_t from) {
  double peak = 0.0;
  for (std::size_t i = from; i < x.size(); ++i) peak = std::fmax(peak, std::fabs(x[i]));
  return peak;
}

TEST(Vst2ModuleAudio, NothingIsProcessedBeforeOpen) {
  RecordingHost host;
  LoadedPlugin p;
  p.Call(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  std::vector<float> in(256, 0.5f), out(256, 3.0f);
  float* ins[2] = {in.data(), in.data()};
  float* outs[2] = {out.data(), out.data()};
  p.effect->processReplacing(p.effect, ins, outs, 256);
  for (float x : out) ASSERT_EQ(x, 0.0f);
  std::fill(out.begin(), out.end(), 3.0f);
  p.effect->process(p.effect, ins, outs, 256);
  for (float x : out) ASSERT_EQ(x, 3.0f);
  std::vector<double> din(256, 0.5), dout(256, 3.0);
  double* dins[2] = {din.data(), din.data()};
  double* douts[2] = {dout.data(), dout.data()};
  p.effect->processDoubleReplacing(p.effect, dins, douts, 256);
  for (double x : dout) ASSERT_EQ(x, 3.0);
  // effOpen delivers every parameter; processing starts with the next block.
  p.Call(effOpen);
  p.effect->processDoubleReplacing(p.effect, dins, douts, 256);
  EXPECT_NE(dout[255], 3.0);
}

TEST(Vst2ModuleAudio, TheThreeCallbacksAgree) {
  RecordingHost host;
  const std::vector<double> signal = Sine(440.0, 48000.0, 512);
  std::vector<float> fsignal(signal.begin(), signal.end());
  LoadedPlugin a, b, c;
  for (LoadedPlugin* p : {&a, &b, &c}) {
    p->Start();
    p->SetText(0, "Lowpass");
    p->SetText(1, "2000");
  }
  const std::vector<float> replaced = a.RunReplacing(fsignal, 512);
  std::vector<float> l(fsignal), r(fsignal), outL(512, 0.25f), outR(512, 0.25f);
  float* in[2] = {l.data(), r.data()};
  float* out[2] = {outL.data(), outR.data()};
  b.effect->process(b.effect, in, out, 512);
  std::vector<double> fromFloat(fsignal.begin(), fsignal.end());
  const std::vector<double> doubled = c.RunDouble(fromFloat);
  double energy = 0.0;
  for (int i = 0; i < 512; ++i) {
    ASSERT_EQ(outL[i], 0.25f + replaced[i]) << i;  // accumulates onto what was there
    ASSERT_EQ(replaced[i], static_cast<float>(doubled[i])) << i;
    energy += doubled[i] * doubled[i];
  }
  EXPECT_GT(energy, 1.0);
}

TEST(Vst2ModuleAudio, LowpassResponseAtDcAndAtItsCornerFrequency) {
  // The lowpass is the bilinear transform, pre-warped at the corner, of 1 / (s^2 + q s + 1)
  // with q = bandwidth * 12: unity at DC and 1 / q at the corner frequency.
  RecordingHost host;
  const double rate = 48000.0;
  const int frames = 48000;
  for (const char* bandwidth : {"50", "10"}) {
    const double q = std::atof(bandwidth) * 0.01 * 12.0;
    LoadedPlugin p;
    p.Start(static_cast<float>(rate), 1024);
    p.SetText(0, "Lowpass");
    p.SetText(1, "1000");
    p.SetText(2, bandwidth);
    const std::vector<double> y = p.RunDouble(Sine(1000.0, rate, frames));
    EXPECT_NEAR(Peak(y, frames / 2) / 0.5, 1.0 / q, 0.01 / q) << bandwidth;
    const std::vector<double> dc = p.RunDouble(std::vector<double>(frames, 0.25));
    EXPECT_NEAR(dc.back(), 0.25, 1e-9) << bandwidth;
    const std::vector<double> high = p.RunDouble(Sine(20000.0, rate, frames));
    EXPECT_LT(Peak(high, frames / 2), 0.5 * 0.01) << bandwidth;
  }
}

TEST(Vst2ModuleAudio, HighpassIsTheInputMinusTheLowpassAndDryMixIsTheInput) {
  RecordingHost host;
  const std::vector<double> x = Sine(3000.0, 44100.0, 4096, 0.8);
  LoadedPlugin low, high, dry;
  for (LoadedPlugin* p : {&low, &high, &dry}) {
    p->Start(44100.0f, 4096);
    p->SetText(1, "1500");
    p->SetText(2, "35");
  }
  low.SetText(0, "Lowpass");
  high.SetText(0, "Highpass");
  dry.SetText(3, "0");
  const std::vector<double> yl = low.RunDouble(x);
  const std::vector<double> yh = high.RunDouble(x);
  const std::vector<double> yd = dry.RunDouble(x);
  for (std::size_t i = 0; i < x.size(); ++i) {
    ASSERT_NEAR(yl[i] + yh[i], x[i], 1e-12) << i;
    ASSERT_EQ(yd[i], x[i]) << i;
  }
}

TEST(Vst2ModuleAudio, ADisconnectedInputIsSilentAndConsumesNoHostBuffer) {
  RecordingHost host;
  LoadedPlugin p;
  p.Start();
  p.SetText(0, "Lowpass");
  p.SetText(1, "5000");
  VstSpeakerArrangement mono{};
  mono.numChannels = 1;
  VstSpeakerArrangement stereo{};
  stereo.numChannels = 2;
  EXPECT_EQ(p.Call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo), 1);
  std::vector<float> only(512, 0.5f), left(512, 9.0f), right(512, 9.0f);
  float* in[1] = {only.data()};
  float* out[2] = {left.data(), right.data()};
  p.effect->processReplacing(p.effect, in, out, 512);
  EXPECT_NEAR(left.back(), 0.5f, 1e-3f);  // DC through the lowpass
  for (float x : right) ASSERT_EQ(x, 0.0f);
}

TEST(Vst2ModuleAudio, HostBlocksLongerThanTheBlockSizeMatchShortBlocks) {
  RecordingHost host;
  host.timeInfo.tempo = 120.0;
  host.timeInfo.flags = kVstTempoValid;
  std::vector<float> x(5000);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(0.6 * std::sin(0.07 * double(i)));
  LoadedPlugin once, pieces;
  for (LoadedPlugin* p : {&once, &pieces}) {
    p->Start(44100.0f, 64);
    p->Call(effSetProgram, 0, 11);  // "Phaser": the LFO sweeps the frequency
  }
  const std::vector<float> a = once.RunReplacing(x, 5000);  // 5000 frames after a 64-frame size
  const std::vector<float> b = pieces.RunReplacing(x, 64);
  for (std::size_t i = 0; i < x.size(); ++i) ASSERT_EQ(a[i], b[i]) << i;
  // The effect asked for the tempo while processing.
  bool askedTempo = false;
  for (const HostCall& call : host.CallsOf(audioMasterGetTime)) askedTempo |= call.value == kVstTempoValid;
  EXPECT_TRUE(askedTempo);
}

TEST(Vst2ModuleAudio, TheDefaultProgramGivesEveryDefault) {
  RecordingHost host;
  LoadedPlugin fresh, p;
  fresh.Start();
  p.Start();
  p.Call(effSetProgram, 0, 7);  // "Low Frequencies"
  p.Call(effSetProgram, 0, 0);
  for (VstInt32 i = 0; i < 9; ++i)
    EXPECT_EQ(p.effect->getParameter(p.effect, i), fresh.effect->getParameter(fresh.effect, i)) << i;
  // The defaults are a 20 Hz highpass, fully wet: a 1 kHz tone keeps its level.
  EXPECT_NEAR(Peak(p.RunDouble(Sine(1000.0, 48000.0, 4800)), 2400), 0.5, 0.005);
}

TEST(Vst2ModuleAudio, MainsOffAndOnStartTheNextBlockFromAClearFilter) {
  RecordingHost host;
  LoadedPlugin used, fresh;
  used.Start();
  fresh.Start();
  used.Call(effSetProgram, 0, 7);  // "Low Frequencies", left full of a loud low tone
  used.RunDouble(Sine(150.0, 48000.0, 4096, 0.9));
  used.Call(effMainsChanged, 0, 0);
  used.Call(effSetProgram, 0, 5);  // "High Frequencies"
  used.Call(effMainsChanged, 0, 1);
  fresh.Call(effSetProgram, 0, 5);
  const std::vector<double> probe = Sine(3000.0, 48000.0, 256);
  EXPECT_EQ(used.RunDouble(probe), fresh.RunDouble(probe));
}

TEST(Vst2ModuleAudio, NoHostCallbackAtAll) {
  LoadedPlugin p(nullptr);
  ASSERT_TRUE(p.ok());
  p.Start();
  p.Call(effSetProgram, 0, 11);
  std::vector<double> y = p.RunDouble(Sine(500.0, 48000.0, 2048));
  for (double v : y) ASSERT_TRUE(std::isfinite(v));
  p.effect->setParameter(p.effect, 1, 0.25f);
  void* chunk = nullptr;
  EXPECT_GT(p.Call(effGetChunk, 0, 0, &chunk), 0);
}

}  // namespace
}  // namespace quivorant::test
