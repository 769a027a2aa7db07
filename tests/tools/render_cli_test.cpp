// quivorant-render as a person runs it: the real executable, loading the real plug-ins.
// argv: <tool> <vst3 bundle> <vst2 library> <foreign vst2 library>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "raster/RasterBitmap.h"
#include "raster/RasterPng.h"
#include "tests/support/TempDir.h"
#include "tools/render/AudioFile.h"

namespace quivorant::render {
namespace {

std::string gTool, gVst3, gVst2, gForeign;
constexpr double kPi = 3.14159265358979323846;

struct ToolRun {
  int exitCode;
  std::string output;  // standard output and error together
};

// A shell command line; what it prints is collected from standard output.
ToolRun RunShell(const std::string& command) {
  ToolRun run{-1, {}};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ToolRun RunTool(const std::string& args) { return RunShell("'" + gTool + "' " + args + " 2>&1"); }

class RenderCli : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
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
  quivorant::test::TempDir dir_{"quivorant-cli"};
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
      {Vst2() + out + " --set 'Filter Freq=25000'", "out of range (20 Hz to 20000 Hz)"},
      {Vst2() + out + " --set 'Filter Type=Notch'", "\"Notch\" is neither"},
      {Vst3() + out + " --set 'Filter Type=1.5'", "lies between 1 (Highpass) and 2 (Bandpass)"},
      {Vst2() + out + " --set 'LFO Target=Filter'", "could be any of Filter Freq, Filter Bandwidth, Filter Mix"},
      {Vst3() + out + " --tempo 0.001", "tempo \"0.001\""},
      {Vst3() + " -o '" + dir_.path().string() + "'", "is a folder"},
      {Vst3() + out + " -i '" + dir_.path().string() + "'", "is a folder, not an audio file"},
      {"--plugin '" + Path("none.vst3") + "'" + out, "no plug-in at"},
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
  EXPECT_EQ(1u, static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_.path()), {})))
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

// Outputs that are not plain files: each is written into, never replaced, and holds the same
// audio as a plain render.
TEST_F(RenderCli, FifoSymlinkDeviceAndStandardOutputAreWrittenIntoNotReplaced) {
  WriteSine("in.wav", 440.0, 44100.0, 0.2, 2);
  const std::string render = Vst3() + " --subtype double -i '" + Path("in.wav") + "'";
  ASSERT_EQ(0, RunTool(render + " -o '" + Path("plain.wav") + "'").exitCode);

  ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0600));
  const ToolRun fifo = RunShell("cat '" + Path("fifo") + "' > '" + Path("from-fifo.wav") + "' & '" + gTool + "' " +
                                render + " -o '" + Path("fifo") + "' 2>&1; wait");
  EXPECT_EQ(0, fifo.exitCode) << fifo.output;
  EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));

  std::ofstream(Path("target.wav")) << "to be replaced";
  std::filesystem::create_symlink("target.wav", Path("link.wav"));
  EXPECT_EQ(0, RunTool(render + " -o '" + Path("link.wav") + "'").exitCode);
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.wav")));

  const ToolRun piped = RunShell("'" + gTool + "' " + render + " --describe -o - 2>&1 > '" + Path("stdout.wav") + "'");
  EXPECT_EQ(0, piped.exitCode);
  EXPECT_NE(std::string::npos, piped.output.find("peak")) << "words on standard error: " << piped.output;
  EXPECT_EQ(std::filesystem::file_size(Path("plain.wav")), std::filesystem::file_size(Path("stdout.wav")))
      << "nothing but the audio on standard output";

  EXPECT_EQ(0, RunTool(render + " -o /dev/null").exitCode);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  const AudioBuffer plain = Read("plain.wav");
  ASSERT_GT(plain.Frames(), 0u);
  for (const char* name : {"from-fifo.wav", "target.wav", "stdout.wav"}) {
    EXPECT_EQ(plain.channels, Read(name).channels) << name;
  }
}

// A lowpass at 1 kHz with 2 % bandwidth lifts a 1 kHz sine of 0.5 about fourfold.
TEST_F(RenderCli, ClippedSamplesAreCountedAndFloatOutputKeepsThem) {
  WriteSine("in.wav", 1000.0, 48000.0, 0.25, 1);
  const std::string render = Vst3() + " -i '" + Path("in.wav") +
                             "' --set 'Filter Type=Lowpass' --set 'Filter Freq=1000' --set 'Filter Bandwidth=2'";
  const ToolRun floatRun = RunTool(render + " -o '" + Path("float.wav") + "'");
  ASSERT_EQ(0, floatRun.exitCode) << floatRun.output;
  EXPECT_EQ(std::string::npos, floatRun.output.find("clipped")) << floatRun.output;
  const AudioBuffer unclipped = Read("float.wav");
  size_t over = 0;
  for (double v : unclipped.channels[0]) over += std::fabs(v) > 1.0;
  ASSERT_GT(over, 100u);

  const ToolRun pcm = RunTool(render + " --subtype pcm16 -o '" + Path("pcm.wav") + "'");
  ASSERT_EQ(0, pcm.exitCode) << pcm.output;
  EXPECT_NE(std::string::npos, pcm.output.find(std::to_string(over) + " samples clipped")) << pcm.output;
}

// Every spelling the plug-in's own texts suggest, read back as the plug-in holds the value.
TEST_F(RenderCli, ValuesAreAcceptedAsThePlugInShowsThemInBothFormats) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {" --set 'Filter Type=BP' --set 'Filter Freq=2k' --set 'Filter Bandwidth=35 %' --set 'Filter Mix=50%'"
       " --set 'LFO Target=freq' --set 'LFO Wave=sine half 2' --set 'LFO Rate=2' --set 'LFO Depth=10'",
       {"Bandpass 2000 Hz, bandwidth 35 %, mix 50 %, LFO at rest:", "LFO Sine Half 2, 1/16D", "frequency"}},
      {" --set 'Filter Type=lp' --set 'Filter Freq=2000 Hz' --set 'Filter Mix=75 %' --set 'LFO Target=Bandwidth'"
       " --set 'LFO Wave=tri' --set 'LFO Rate=1/8t'",
       {"Lowpass 2000 Hz, bandwidth 20 %, mix 75 %", "LFO Triangle, 1/8T", "bandwidth"}},
      {" --set 'Filter Type=HIGHPASS' --set 'Filter Freq=2.5 kHz' --set 'Filter Mix=80'",
       {"Highpass 2500 Hz, bandwidth 20 %, mix 80 %:", "LFO off"}},
  };
  for (const std::string& format : {Vst3(), Vst2()}) {
    for (const auto& [settings, expected] : cases) {
      const ToolRun run = RunTool(format + settings + " --describe");
      ASSERT_EQ(0, run.exitCode) << settings << "\n" << run.output;
      for (const std::string& text : expected) {
        EXPECT_NE(std::string::npos, run.output.find(text)) << format << settings << "\n" << run.output;
      }
    }
  }
}

// The tool beside no plug-in: it finds them where the README says to install them.
TEST_F(RenderCli, FindsThePlugInsInTheUsersFoldersAndNamesWhereItLooked) {
  std::filesystem::create_directories(Path("bin"));
  std::filesystem::copy_file(gTool, Path("bin/quivorant-render"));
  std::filesystem::create_directories(Path("home/.vst3"));
  std::filesystem::create_directories(Path("home/.vst"));
  std::filesystem::create_directory_symlink(std::filesystem::absolute(gVst3), Path("home/.vst3/quivorant.vst3"));
  std::filesystem::create_symlink(std::filesystem::absolute(gVst2), Path("home/.vst/quivorant.so"));
  const std::string tool = "'" + Path("bin/quivorant-render") + "' ";
  for (const char* format : {"vst3", "vst2"}) {
    const ToolRun run = RunShell("HOME='" + Path("home") + "' " + tool + "--list --format " + format + " 2>&1");
    EXPECT_EQ(0, run.exitCode) << format << "\n" << run.output;
  }
  const ToolRun lost = RunShell("HOME='" + Path("nowhere") + "' " + tool + "--list 2>&1");
  EXPECT_EQ(1, lost.exitCode);
  for (const std::string& place : {Path("bin/"), Path("nowhere/.vst3"), std::string("/usr/lib/vst3"),
                                   std::string("/usr/local/lib/vst3"), std::string("--plugin")}) {
    EXPECT_NE(std::string::npos, lost.output.find(place)) << lost.output;
  }
}

// The settings line of the plot's title, as --describe prints it, and the picture itself.
TEST_F(RenderCli, ResponseTitlesNameWhatIsShownAndTheCurveIsOneStroke) {
  const ToolRun limited = RunTool(Vst3() + " --sample-rate 22050 --set 'Filter Freq=20000' --describe");
  EXPECT_NE(std::string::npos, limited.output.find("20000 Hz (limited to 10.8 kHz at this rate)")) << limited.output;

  ASSERT_EQ(0, RunTool(Vst3() + " --preset Phaser --response-png '" + Path("phaser.png") + "'").exitCode);
  ASSERT_EQ(0, RunTool(Vst3() + " --preset Vibrato --response-png '" + Path("vibrato.png") + "'").exitCode);
  ASSERT_EQ(0, RunTool(Vst3() + " --response-png '" + Path("flat.png") + "'").exitCode);
  std::unique_ptr<RasterBitmap> phaser(RasterLoadPngFile(Path("phaser.png").c_str(), nullptr));
  std::unique_ptr<RasterBitmap> vibrato(RasterLoadPngFile(Path("vibrato.png").c_str(), nullptr));
  std::unique_ptr<RasterBitmap> flat(RasterLoadPngFile(Path("flat.png").c_str(), nullptr));
  ASSERT_TRUE(phaser && vibrato && flat);
  int differing = 0;
  for (int i = 0; i < phaser->Height() * phaser->RowSpan(); ++i) {
    differing += phaser->PixelData()[i] != vibrato->PixelData()[i];
  }
  EXPECT_GT(differing, 1000) << "different presets, different pictures";

  // The default highpass at 20 Hz is flat from 1 to 2 kHz: every column of the plot between
  // those grid lines shows the same stroke.
  auto column = [&](int x) {
    std::vector<RasterPixel> pixels;
    for (int y = 62; y < 354; ++y) pixels.push_back(flat->PixelData()[y * flat->RowSpan() + x]);
    return pixels;
  };
  const std::vector<RasterPixel> first = column(432);
  for (int x = 433; x < 487; ++x) {
    const std::vector<RasterPixel> other = column(x);
    int worst = 0;
    for (size_t y = 0; y < first.size(); ++y) {
      for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((first[y] >> shift) & 0xFF), b = static_cast<int>((other[y] >> shift) & 0xFF);
        worst = std::max(worst, std::abs(a - b));
      }
    }
    EXPECT_LE(worst, 2) << "column " << x;
  }
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
