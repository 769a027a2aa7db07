// Command-line options of quivorant-render, parsed into one record. Parsing never exits: it
// answers an error text naming the problem, which main() prints as one line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quivorant::render {

enum class PluginFormat { kVst3, kVst2 };
enum class SampleSubtype { kPcm16, kPcm24, kFloat, kDouble };

struct RenderOptions {
  std::string inputPath;   // empty: the embedded demo loop
  std::string outputPath;
  std::string pluginPath;  // empty: the plug-in built beside the tool
  PluginFormat format = PluginFormat::kVst3;
  std::string preset;      // a preset name or index; empty: none
  std::vector<std::pair<std::string, std::string>> settings;  // "--set Name=Value", in order
  double tempoBpm = 120.0;
  double sampleRateHz = 44100.0;
  int blockFrames = 512;
  int precisionBits = 32;
  SampleSubtype subtype = SampleSubtype::kFloat;
  bool listOnly = false;
  bool allPresets = false;
  std::string outDir;
  std::string responsePngPath;
  std::string editorPngPath;
  bool showHelp = false;
};

// Fills *options from argv; answers an empty text on success, else what is wrong.
std::string ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options);

const char* RenderUsage();

// Locale-independent number parsing of a whole text; false when the text is not just a number.
bool ParseNumber(const std::string& text, double* value);

}  // namespace quivorant::render
