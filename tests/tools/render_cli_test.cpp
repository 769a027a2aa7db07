// quivorant-render as a person runs it: the real executable, loading the real plug-ins.
// argv: <tool> <vst3 bundle> <vst2 library> <foreign vst2 library>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <complex>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "raster/RasterBitmap.h"
#include "raster/RasterPng.h"
#include "tools/render/AudioFile.h"

namespace quivorant::render {
namespace {

std::string gTool, gVst3, gVst2, gForeign;
constexpr double kPi = 3.14159265358979323846;

struct ToolRun {
  int exitCode;
  std::string output;  // standard output and error together
};

ToolRun RunTool(const std::string& args) {
  const std::string command = "'" + gTool + "' " + args + " 2>&1";
  ToolRun run{-1, {}};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class RenderCli : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quivorant-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Vst3() { return "--format vst3 --plugin '" + gVst3 + "'"; }
  static std::string Vst2() { return "--format vst2 --plugin '" + gVst2 + "'"; }
  AudioBuffer Read(const std::string& name) {
    AudioBuffer audio;
    std::string error;
    EXPECT_TRUE(ReadAudioFile(Path(name), &audio, &error)) << error;
    return audio;
  }
  void WriteSine(const std::string& name, double hz, double rate, double seconds, int channels) {
    AudioBuffer audio;
    audio.sampleRateHz = rate;
    audio.channels.assign(static_cast<size_t>(channels), std::vector<double>(static_cast<size_t>(rate * seconds)));
    for (auto& ch : audio.channels) {
      for (size_t n = 0; n < ch.size(); ++n) ch[n] = 0.5 * std::sin(2.0 * kPi * hz * static_cast<double>(n) / rate);
    }
    std::string error;
    ASSERT_TRUE(WriteAudioFile(Path(name), audio, SampleSubtype::kDouble, &error)) << error;
  }
  std::filesystem::path dir_;
};

TEST_F(RenderCli, EveryBadInputGetsOneLineNamingItAndNoOutputFile) {
  {
    AudioBuffer three;
    three.channels.assign(3, std::vector<double>(64, 0.0));
    std::string error;
    ASSERT_TRUE(WriteAudioFile(Path("three.wav"), three, SampleSubtype::kFloat, &error));
  }
  const std::string out = " -o '" + Path("out.wav") + "'";
  const std::pair<std::string, std::string> cases[] = {
      {Vst3() + out + " -i '" + Path("missing.wav") + "'", "missing.wav"},
      {Vst3() + out + " -i '" + Path("three.wav") + "'", "3 channels"},
      {Vst3() + out + " --preset 'No Such Preset'", "unknown preset \"No Such Preset\""},
      {Vst3() + out + " --preset 15", "preset index 15 is out of range"},
      {Vst3() + out + " --set 'Filter Frequency=2000'", "unknown parameter \"Filter Frequency\""},
      {Vst3() + out + " --set 'Filter Freq=loud'", "\"loud\" is neither a number nor a display text"},
      {Vst2() + out + " --set 'Filter Freq=25000'", "out of range (20 to 20000 Hz)"},
      {Vst2() + out + " --set 'Filter Type=Notch'", "\"Notch\" is neither"},
      {Vst3() + out + " --block -5", "block size \"-5\""},
      {Vst3() + out + " --sample-rate 0", "sample rate \"0\""},
      {"--format vst2 --plugin '" + Path("three.wav") + "'" + out, "cannot load plug-in"},
      {"--format vst2 --plugin '" + gForeign + "'" + out, "is not a quivorant plug-in"},
      {"--format vst3 --plugin '" + gForeign + "'" + out, "is not a VST3 module"},
      {Vst3(), "nothing to do"},
  };
  for (const auto& [args, expected] : cases) {
    const ToolRun run = RunTool(args);
    EXPECT_NE(0, run.exitCode) << args;
    EXPECT_NE(std::string::npos, run.output.find(expected)) << args << "\n" << run.output;
    EXPECT_EQ(1, std::count(run.output.begin(), run.output.end(), '\n')) << run.output;
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav"))) << args;
  }
  EXPECT_EQ(1u, static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_), {})))
      << "only the input the test wrote";
}

TEST_F(RenderCli, ListsParametersAndPresetsAsTheHostSeesThemInBothFormats) {
  for (const std::string& format : {Vst3(), Vst2()}) {
    const ToolRun run = RunTool(format + " --list");
    ASSERT_EQ(0, run.exitCode) << run.output;
    for (const char* text : {"Filter Freq", "20 to 20000 Hz", "\"Bandpass\"", "\"1/8T\"", "\"32/1\"", "LFO Depth",
                             "default 90 %", "Vibrato", "---- default ----"}) {
      EXPECT_NE(std::string::npos, run.output.find(text)) << format << " lacks " << text << "\n" << run.output;
    }
  }
}

TEST_F(RenderCli, Vst3AndVst2RenderTheSameSamples) {
  const std::string settings = " --preset 'Oscillating Filter' --set 'LFO Rate=1/8T' --tempo 133 --block 300";
  for (const char* precision : {"64", "32"}) {
    const std::string common = settings + " --precision " + precision + " --subtype double";
    ASSERT_EQ(0, RunTool(Vst3() + common + " -o '" + Path("vst3.wav") + "'").exitCode);
    ASSERT_EQ(0, RunTool(Vst2() + common + " -o '" + Path("vst2.wav") + "'").exitCode);
    const AudioBuffer a = Read("vst3.wav"), b = Read("vst2.wav");
    ASSERT_EQ(a.Frames(), b.Frames());
    ASSERT_GT(a.Frames(), 0u);
    double worst = 0.0, energy = 0.0;
    for (int c = 0; c < 2; ++c) {
      for (size_t i = 0; i < a.Frames(); ++i) {
        worst = std::max(worst, std::fabs(a.channels[c][i] - b.channels[c][i]));
        energy += a.channels[c][i] * a.channels[c][i];
      }
    }
    EXPECT_GT(energy, 1.0) << "the render is not silent";
    if (std::string(precision) == "64") {
      EXPECT_EQ(0.0, worst) << "the double-precision paths must agree exactly";
    } else {
      EXPECT_LE(worst, 1e-6) << "single precision: within float rounding";
    }
  }
}

// "Low Frequencies": lowpass at 3000 Hz, 40 % bandwidth, fully wet, LFO off. The gain at 1 kHz
// from the bilinear-transformed prototype 1 / (s^2 + q s + 1) with q = 0.4 * 12.
TEST_F(RenderCli, APresetRenderHasTheFilterResponseAtOneFrequency) {
  const double rate = 48000.0, hz = 1000.0, cutoff = 3000.0, q = 0.4f * 12.0f;
  WriteSine("sine.wav", hz, rate, 1.0, 2);
  const ToolRun run = RunTool(Vst3() + " --preset 'Low Frequencies' --precision 64 --subtype double -i '" +
                          Path("sine.wav") + "' -o '" + Path("out.wav") + "'");
  ASSERT_EQ(0, run.exitCode) << run.output;
  const AudioBuffer out = Read("out.wav");
  ASSERT_EQ(2, out.ChannelCount());
  const double C = 1.0 / std::tan(cutoff * kPi / rate);
  const double norm = 1.0 / ((q + C) * C + 1.0);
  const double a1 = (1.0 - C * C) * 2.0 * norm, a2 = ((C - q) * C + 1.0) * norm;
  const double w = 2.0 * kPi * hz / rate;
  const std::complex<double> z1 = std::polar(1.0, -w), z2 = std::polar(1.0, -2.0 * w);
  const double expected = std::abs(norm * (1.0 + 2.0 * z1 + z2) / (1.0 + a1 * z1 + a2 * z2));
  // Steady state: the second half of the second, against the input's RMS of 0.5 / sqrt(2).
  for (int c = 0; c < 2; ++c) {
    double sum = 0.0;
    const size_t from = out.Frames() / 2;
    for (size_t i = from; i < out.Frames(); ++i) sum += out.channels[c][i] * out.channels[c][i];
    const double gain = std::sqrt(sum / static_cast<double>(out.Frames() - from)) / (0.5 / std::sqrt(2.0));
    EXPECT_NEAR(20.0 * std::log10(expected), 20.0 * std::log10(gain), 0.01) << "channel " << c;
  }
}

TEST_F(RenderCli, AllPresetsAndTheResponsePlotLandWhereAsked) {
  const ToolRun run = RunTool(Vst3() + " --all-presets --out-dir '" + Path("presets") + "' --sample-rate 22050");
  ASSERT_EQ(0, run.exitCode) << run.output;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Path("presets"))) {
    ++files;
    EXPECT_EQ(".wav", entry.path().extension());
  }
  EXPECT_EQ(12, files);
  EXPECT_TRUE(std::filesystem::exists(Path("presets/12-Vibrato.wav")));
  EXPECT_NE(std::string::npos, run.output.find("Vibrato")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("dBFS"));

  ASSERT_EQ(0, RunTool(Vst2() + " --preset Phaser --response-png '" + Path("r.png") + "'").exitCode);
  RasterBitmap* plot = RasterLoadPngFile(Path("r.png").c_str(), nullptr);
  ASSERT_NE(nullptr, plot);
  EXPECT_EQ(720, plot->Width());
  EXPECT_EQ(400, plot->Height());
  delete plot;
}

}  // namespace
}  // namespace quivorant::render

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <tool> <vst3 bundle> <vst2 library> <foreign vst2 library>\n", argv[0]);
    return 2;
  }
  quivorant::render::gTool = argv[1];
  quivorant::render::gVst3 = argv[2];
  quivorant::render::gVst2 = argv[3];
  quivorant::render::gForeign = argv[4];
  return RUN_ALL_TESTS();
}
