// quivorant-render --editor-png as a person runs it, in both lanes (the Windows tool under Wine
// draws with the Windows editor's draw bitmap, no window): the picture's size, that it shows the
// state the loaded plug-in ended up with through either interface, and that failures leave no
// file. argv: <tool> <vst3 module> <vst2 library>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "raster/RasterBitmap.h"
#include "raster/RasterPng.h"
#include "tests/support/TempDir.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace quivorant::render {
namespace {

std::string gTool, gVst3, gVst2;

// Paths handed to the tool: the Windows tool under Wine reads drive paths.
std::string ToolPath(const std::string& path) {
#if defined(_WIN32)
  if (!path.empty() && path[0] == '/') {
    std::string out = "Z:" + path;
    for (char& c : out) c = c == '/' ? '\\' : c;
    return out;
  }
#endif
  return path;
}

std::string Quoted(const std::string& path) { return "\"" + ToolPath(path) + "\""; }

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output and error together
};

class RenderPicture : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  static std::string Vst3() { return " --format vst3 --plugin " + Quoted(gVst3); }
  static std::string Vst2() { return " --format vst2 --plugin " + Quoted(gVst2); }

  ToolRun Run(const std::string& args) const {
    // A log file of its own per run: under Wine the last run's handle on it can outlive that run
    // for a moment, and reopening it then fails with a sharing violation.
    static int runs = 0;
    const std::filesystem::path log = logDir_.path() / ("run-" + std::to_string(++runs) + ".txt");
    std::string command = Quoted(gTool) + args + " > " + Quoted(log.string()) + " 2>&1";
#if defined(_WIN32)
    command = "\"" + command + "\"";  // the command processor strips one pair of quotes
#endif
    ToolRun run;
    const int status = std::system(command.c_str());
#if defined(_WIN32)
    run.exitCode = status;
#else
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    std::ifstream in(log);
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
  }

  std::unique_ptr<RasterBitmap> Picture(const std::string& args, const std::string& name) const {
    const ToolRun run = Run(args + " --editor-png " + Quoted(Path(name)));
    EXPECT_EQ(0, run.exitCode) << args << "\n" << run.output;
    std::unique_ptr<RasterBitmap> bitmap(RasterLoadPngFile(Path(name).c_str(), nullptr));
    EXPECT_NE(nullptr, bitmap) << name;
    if (bitmap) {
      EXPECT_EQ(395, bitmap->Width());
      EXPECT_EQ(248, bitmap->Height());
    }
    return bitmap;
  }

  quivorant::test::TempDir dir_{"quivorant-picture"};
  quivorant::test::TempDir logDir_{"quivorant-picture-logs"};  // the tool's logs apart from the outputs the tests count
};

// Pixels that differ between two pictures of the same size, inside and outside a rectangle.
struct Difference {
  int inside = 0;
  int outside = 0;
};

Difference Compare(RasterBitmap& a, RasterBitmap& b, int left, int top, int right, int bottom) {
  Difference d;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.PixelData()[y * a.RowSpan() + x] == b.PixelData()[y * b.RowSpan() + x]) continue;
      const bool in = x >= left && x < right && y >= top && y < bottom;
      ++(in ? d.inside : d.outside);
    }
  }
  return d;
}

TEST_F(RenderPicture, ShowsTheSettingsTheLoadedPlugInEndedUpWith) {
  const auto plain = Picture(Vst3(), "plain.png");
  const auto freq = Picture(Vst3() + " --set \"Filter Freq=20000\"", "freq.png");
  const auto freqVst2 = Picture(Vst2() + " --set \"Filter Freq=20000\"", "freq2.png");
  const auto preset = Picture(Vst2() + " --preset \"Low Frequencies\" --set \"LFO Depth=5\"", "preset.png");
  ASSERT_TRUE(plain && freq && freqVst2 && preset);

  // Only the "Filter Freq" knob (pointer and value text) changes.
  const Difference d = Compare(*plain, *freq, 22, 154, 83, 211);
  EXPECT_GT(d.inside, 50);
  EXPECT_EQ(0, d.outside);
  // Both interfaces hand over the same state, so the same picture.
  EXPECT_EQ(0, Compare(*freq, *freqVst2, 0, 0, 0, 0).outside);
  // A preset moves the filter type buttons and several knobs; the depth knob was set on top.
  EXPECT_GT(Compare(*plain, *preset, 100, 112, 172, 125).inside, 0);
  EXPECT_GT(Compare(*plain, *preset, 323, 154, 364, 211).inside, 0);
}

TEST_F(RenderPicture, AFailureLeavesNoFile) {
  const std::pair<std::string, std::string> cases[] = {
      {" --editor-png " + Quoted(Path("missing/dir/e.png")), "e.png"},
      {" --set \"Filter Freq=loud\" --editor-png " + Quoted(Path("e.png")), "\"loud\""},
      // The tool's own refusals hold in both builds.
      {" --set \"Filter Type=1.5\" --editor-png " + Quoted(Path("e.png")), "between 1 (Highpass) and 2 (Bandpass)"},
      {" --tempo 0.001 --editor-png " + Quoted(Path("e.png")), "tempo \"0.001\""},
      {" --editor-png " + Quoted(dir_.path().string()), "is a folder"},
  };
  for (const auto& [args, expected] : cases) {
    const ToolRun run = Run(Vst2() + args);
    EXPECT_NE(0, run.exitCode) << args;
    EXPECT_NE(std::string::npos, run.output.find(expected)) << args << "\n" << run.output;
    EXPECT_EQ(1, std::count(run.output.begin(), run.output.end(), '\n')) << run.output;
  }
  EXPECT_EQ(0, std::distance(std::filesystem::recursive_directory_iterator(dir_.path()), {})) << "nothing written";
}

}  // namespace
}  // namespace quivorant::render

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <tool> <vst3 module> <vst2 library>\n", argv[0]);
    return 2;
  }
  quivorant::render::gTool = argv[1];
  quivorant::render::gVst3 = argv[2];
  quivorant::render::gVst2 = argv[3];
  return RUN_ALL_TESTS();
}
