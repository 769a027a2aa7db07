// Command-line options of quivorant-render, parsed into one record. Parsing never exits: it
// answers an error text naming the problem, which main() prints as one line.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace quivorant::render {

enum class PluginFormat { kVst3, kVst2 };
enum class SampleSubtype { kPcm16, kPcm24, kFloat, kDouble };

// What a DAW accepts; beyond these the demo loop and the buffers would grow without need.
inline constexpr double kMinTempoBpm = 20.0;
inline constexpr double kMaxTempoBpm = 999.0;
inline constexpr double kMinSampleRateHz = 8000.0;
inline constexpr double kMaxSampleRateHz = 384000.0;
inline constexpr int kMaxBlockFrames = 65536;

// The path that names standard output instead of a file.
inline constexpr const char* kStandardOutputPath = "-";

struct RenderOptions {
  std::string inputPath;   // empty: the embedded demo loop
  std::string outputPath;  // "-": standard output
  std::string pluginPath;  // empty: searched where plug-ins are installed
  PluginFormat format = PluginFormat::kVst3;
  std::string preset;                                         // a preset name or index; empty: none
  std::vector<std::pair<std::string, std::string>> settings;  // "--set Name=Value", in order
  double tempoBpm = 120.0;
  double sampleRateHz = 44100.0;
  int blockFrames = 512;
  int precisionBits = 32;
  SampleSubtype subtype = SampleSubtype::kFloat;
  bool listOnly = false;
  bool allPresets = false;
  bool describe = false;
  std::string outDir;
  std::string responsePngPath;
  std::string editorPngPath;
  bool showHelp = false;
};

// True when one of the outputs is standard output: every word then goes to standard error.
bool WritesToStandardOutput(const RenderOptions& options);
// Where summaries and descriptions go: standard output, unless audio or a picture goes there.
std::FILE* WordsStream(const RenderOptions& options);

// Fills *options from argv; answers an empty text on success, else what is wrong.
std::string ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options);

std::string RenderUsage();

// Locale-independent number parsing of a whole text; false when the text is not just a number.
bool ParseNumber(const std::string& text, double* value);

}  // namespace quivorant::render
