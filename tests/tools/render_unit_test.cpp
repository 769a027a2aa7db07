// The render tool's own pieces, without a plug-in: option parsing, names, the demo loop and the
// all-or-nothing file writing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/TempDir.h"
#include "tools/render/AudioFile.h"
#include "tools/render/DemoLoop.h"
#include "tools/render/OutputFile.h"
#include "tools/render/PluginSettings.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/Renderer.h"

namespace quivorant::render {
namespace {

std::string Parse(std::vector<const char*> args, RenderOptions* o) {
  args.insert(args.begin(), "quivorant-render");
  return ParseRenderOptions(static_cast<int>(args.size()), args.data(), o);
}

TEST(RenderOptions, ReadsEveryOptionAndKeepsSettingsInOrder) {
  RenderOptions o;
  ASSERT_EQ("", Parse({"-i",
                       "in.wav",
                       "-o",
                       "out.flac",
                       "--plugin",
                       "p.so",
                       "--format",
                       "vst2",
                       "--preset",
                       "Vibrato",
                       "--set",
                       "Filter Freq=2000",
                       "--set=LFO Rate=1/8T",
                       "--tempo=98.5",
                       "--block",
                       "64",
                       "--precision",
                       "64",
                       "--subtype",
                       "pcm24"},
                      &o));
  EXPECT_EQ("in.wav", o.inputPath);
  EXPECT_EQ("out.flac", o.outputPath);
  EXPECT_EQ(PluginFormat::kVst2, o.format);
  ASSERT_EQ(2u, o.settings.size());
  EXPECT_EQ("Filter Freq", o.settings[0].first);
  EXPECT_EQ("2000", o.settings[0].second);
  EXPECT_EQ("1/8T", o.settings[1].second);  // the value may itself hold no "=", but may hold "/"
  EXPECT_DOUBLE_EQ(98.5, o.tempoBpm);
  EXPECT_EQ(64, o.blockFrames);
  EXPECT_EQ(64, o.precisionBits);
  EXPECT_EQ(SampleSubtype::kPcm24, o.subtype);
  ASSERT_EQ("", Parse({"--sample-rate=48000", "--output=-"}, &o));
  EXPECT_DOUBLE_EQ(48000.0, o.sampleRateHz);
  EXPECT_EQ("-", o.outputPath);
}

TEST(RenderOptions, RefusesBadValuesWithAMessageNamingThem) {
  RenderOptions o;
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"--tempo", "0.001"}, "tempo \"0.001\" is not a number from 20 to 999"},
      {{"--tempo", "1000"}, "tempo"},
      {{"--sample-rate", "7999"}, "from 8000 to 384000"},
      {{"--sample-rate", "384001"}, "sample rate"},
      {{"--block", "16777216"}, "block size \"16777216\" is not a whole number from 1 to 65536"},
      {{"--tempo", "90", "--tempo=100"}, "option --tempo is given more than once"},
      {{"-o", "a.wav", "--output", "b.wav"}, "option --output is given more than once"},
      {{"--list", "-o", "a.wav"}, "--list only lists the plug-in; run it without --output"},
      {{"--list=yes"}, "option --list takes no value"},
      {{"-i", "in.wav", "--sample-rate", "48000", "-o", "out.wav"}, "an input file plays at its own rate"},
      {{"-o", "-", "--response-png", "-"}, "only one output can go to standard output"},
  };
  for (const auto& [args, expected] : cases) {
    EXPECT_NE(std::string::npos, Parse(args, &o).find(expected)) << args[0] << ": " << Parse(args, &o);
  }
  EXPECT_NE(std::string::npos, Parse({"--block", "0"}, &o).find("block size \"0\""));
  EXPECT_NE(std::string::npos, Parse({"--block", "12.5"}, &o).find("block size"));
  EXPECT_NE(std::string::npos, Parse({"--sample-rate", "-44100"}, &o).find("sample rate"));
  EXPECT_NE(std::string::npos, Parse({"--sample-rate", "fast"}, &o).find("sample rate \"fast\""));
  EXPECT_NE(std::string::npos, Parse({"--tempo", "0"}, &o).find("tempo"));
  EXPECT_NE(std::string::npos, Parse({"--precision", "16"}, &o).find("precision"));
  EXPECT_NE(std::string::npos, Parse({"--format", "au"}, &o).find("\"au\""));
  EXPECT_NE(std::string::npos, Parse({"--set", "=5"}, &o).find("Name=Value"));
  EXPECT_NE(std::string::npos, Parse({"--set", "Filter Freq"}, &o).find("Name=Value"));
  EXPECT_NE(std::string::npos, Parse({"--output"}, &o).find("needs a value"));
  EXPECT_NE(std::string::npos, Parse({"--all-presets"}, &o).find("--out-dir"));
  EXPECT_NE(std::string::npos, Parse({"--frobnicate"}, &o).find("--frobnicate"));
}

TEST(RenderOptions, NumbersIgnoreTheUserLocaleAndTrailingText) {
  double v = 0.0;
  EXPECT_TRUE(ParseNumber("2000", &v));
  EXPECT_DOUBLE_EQ(2000.0, v);
  EXPECT_TRUE(ParseNumber(" 0.25 ", &v));
  EXPECT_DOUBLE_EQ(0.25, v);
  EXPECT_FALSE(ParseNumber("2000Hz", &v));
  EXPECT_FALSE(ParseNumber("1/8T", &v));
  EXPECT_FALSE(ParseNumber("", &v));
  EXPECT_FALSE(ParseNumber("nan", &v));
}

TEST(PresetNames, FactoryPresetsAreTheFilledSlotsAfterTheDefault) {
  EXPECT_FALSE(IsFactoryPreset("---- default ----", 0));
  EXPECT_TRUE(IsFactoryPreset("1 oct bandwidth", 1));
  EXPECT_FALSE(IsFactoryPreset("- 14 -", 13));
  EXPECT_TRUE(IsFactoryPreset("- 14 -", 12));  // only the slot's own placeholder counts
  EXPECT_EQ("06-High-Phaser", PresetFileStem(6, "High Phaser"));
  EXPECT_EQ("02-1x2-oct-bandwidth", PresetFileStem(2, "1x2 oct bandwidth"));
  EXPECT_EQ("03-a-b", PresetFileStem(3, "a/..\\b?"));
}

TEST(DemoLoop, IsTwoBarsOfStereoBelowFullScaleAndTheSameEveryTime) {
  const AudioBuffer a = MakeDemoLoop(44100.0, 120.0);
  const AudioBuffer b = MakeDemoLoop(44100.0, 120.0);
  ASSERT_EQ(2, a.ChannelCount());
  EXPECT_EQ(static_cast<size_t>(4.0 * 44100.0), a.Frames());  // 8 beats at 120 BPM
  EXPECT_EQ(a.channels, b.channels);
  const Level level = MeasureLevel(a);
  EXPECT_NEAR(-3.1, level.peakDbfs, 0.1);
  EXPECT_LT(level.rmsDbfs, level.peakDbfs - 6.0);  // music, not a square wave
  EXPECT_NE(a.channels[0], a.channels[1]);
  EXPECT_EQ(static_cast<size_t>(8.0 * 60.0 / 90.0 * 96000.0), MakeDemoLoop(96000.0, 90.0).Frames());
}

class AudioFiles : public ::testing::Test {
protected:
  std::string Path(const char* name) const { return dir_.Path(name); }
  quivorant::test::TempDir dir_{"quivorant-render-test"};
};

TEST_F(AudioFiles, RoundTripsEachSubtypeWithinItsResolution) {
  AudioBuffer audio;
  audio.sampleRateHz = 48000.0;
  audio.channels = {{0.0, 0.5, -0.25, 0.999}, {0.1, -0.1, 0.3, -0.999}};
  std::string error;
  const std::pair<SampleSubtype, double> cases[] = {{SampleSubtype::kPcm16, 1.0 / 32768.0},
                                                    {SampleSubtype::kPcm24, 1.0 / 8388608.0},
                                                    {SampleSubtype::kFloat, 1e-7},
                                                    {SampleSubtype::kDouble, 0.0}};
  for (const auto& [subtype, tolerance] : cases) {
    ASSERT_TRUE(WriteAudioFile(Path("x.wav"), audio, subtype, &error)) << error;
    AudioBuffer back;
    ASSERT_TRUE(ReadAudioFile(Path("x.wav"), &back, &error)) << error;
    EXPECT_DOUBLE_EQ(48000.0, back.sampleRateHz);
    ASSERT_EQ(2, back.ChannelCount());
    for (int c = 0; c < 2; ++c) {
      for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(audio.channels[c][i], back.channels[c][i], tolerance);
    }
  }
}

TEST_F(AudioFiles, AFailedWriteLeavesNoFileAndAnUnreadableInputIsNamed) {
  std::string error;
  const bool written = WriteOutputFile(Path("never.wav"), &error, [](const std::string& temp, std::string* err) {
    std::ofstream(temp) << "half a file";
    *err = "stopped halfway";
    return false;
  });
  EXPECT_FALSE(written);
  EXPECT_EQ("stopped halfway", error);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));

  AudioBuffer audio;
  std::ofstream(Path("junk.wav")) << "this is not audio";
  EXPECT_FALSE(ReadAudioFile(Path("junk.wav"), &audio, &error));
  EXPECT_NE(std::string::npos, error.find("junk.wav"));
  EXPECT_FALSE(ReadAudioFile(Path("missing.wav"), &audio, &error));
  EXPECT_NE(std::string::npos, error.find("missing.wav"));
}

TEST_F(AudioFiles, MoreThanTwoChannelsAreRefused) {
  AudioBuffer audio;
  audio.channels.assign(3, std::vector<double>(16, 0.1));
  std::string error;
  ASSERT_TRUE(WriteAudioFile(Path("three.wav"), audio, SampleSubtype::kFloat, &error)) << error;
  EXPECT_FALSE(ReadAudioFile(Path("three.wav"), &audio, &error));
  EXPECT_NE(std::string::npos, error.find("3 channels"));
}

}  // namespace
}  // namespace quivorant::render
