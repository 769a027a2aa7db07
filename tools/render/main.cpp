// quivorant-render: a small command-line host. It loads a built quivorant plug-in through its
// real entry points, exactly as a DAW would, and renders audio files, preset demos and plots.
#include <cstdio>

#include "tools/render/AudioFile.h"
#include "tools/render/DemoLoop.h"
#include "tools/render/HostedPlugin.h"
#include "tools/render/PluginSettings.h"
#include "tools/render/RenderActions.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/ToolPaths.h"

using namespace quivorant::render;

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "quivorant-render: %s\n", message.c_str());
  return 1;
}

// A freshly loaded plug-in with the preset, then the explicit settings on top of it; the
// preset's name (with a note when settings changed it) lands in *presetTitle.
std::unique_ptr<HostedPlugin> Prepare(const RenderOptions& options, const std::string& pluginPath,
                                      std::string* presetTitle, std::string* error) {
  std::unique_ptr<HostedPlugin> plugin = LoadPlugin(options.format, pluginPath, error);
  if (!plugin || options.listOnly) return plugin;
  if (!options.preset.empty()) {
    const int preset = FindPreset(*plugin, options.preset, error);
    if (preset < 0) return nullptr;
    if (!plugin->SelectPreset(preset)) {
      *error = "the plug-in refused preset " + options.preset;
      return nullptr;
    }
    *presetTitle = plugin->PresetNames()[static_cast<size_t>(preset)];
    if (!options.settings.empty()) *presetTitle += " with changes";
  }
  for (const auto& [name, value] : options.settings) {
    if (!ApplySetting(*plugin, name, value, error)) return nullptr;
  }
  return plugin;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error = ParseRenderOptions(argc, argv, &options);
  if (!error.empty()) return Fail(error);
  if (options.showHelp) {
    std::fputs(RenderUsage().c_str(), stdout);
    return 0;
  }
  const bool hasWork = options.listOnly || options.allPresets || options.describe || !options.outputPath.empty() ||
                       !options.responsePngPath.empty() || !options.editorPngPath.empty();
  if (!hasWork)
    return Fail("nothing to do: give -o, --all-presets, --list, --describe, --response-png or --editor-png");

  const std::string pluginPath = options.pluginPath.empty() ? FindPlugin(options.format, &error) : options.pluginPath;
  if (pluginPath.empty()) return Fail(error);
  std::string presetTitle;
  std::unique_ptr<HostedPlugin> plugin = Prepare(options, pluginPath, &presetTitle, &error);
  if (!plugin) return Fail(error);

  if (options.listOnly) {
    PrintPluginListing(*plugin, stdout);
    return 0;
  }

  AudioBuffer input;
  if (options.inputPath.empty()) {
    input = MakeDemoLoop(options.sampleRateHz, options.tempoBpm);
  } else if (!ReadAudioFile(options.inputPath, &input, &error)) {
    return Fail(error);
  }
  RenderSettings settings;
  settings.blockFrames = options.blockFrames;
  settings.doublePrecision = options.precisionBits == 64;
  settings.tempoBpm = options.tempoBpm;

  if (!options.outputPath.empty()) {
    AudioBuffer output;
    if (!RenderThrough(*plugin, input, settings, &output, &error, "rendering")) return Fail(error);
    Level level{};
    if (!SaveRender(options.outputPath, output, options.subtype, &level, &error)) return Fail(error);
    std::fprintf(WordsStream(options), "%s: peak %.1f dBFS, RMS %.1f dBFS\n", options.outputPath.c_str(),
                 level.peakDbfs, level.rmsDbfs);
  }
  if (options.allPresets && !RenderAllPresets(*plugin, input, settings, options, &error)) return Fail(error);

  const bool measures = options.describe || !options.responsePngPath.empty();
  if (measures && (!options.outputPath.empty() || options.allPresets)) {
    // A render has moved the LFO; the measurements show it at rest, as a fresh instance holds it.
    plugin = Prepare(options, pluginPath, &presetTitle, &error);
    if (!plugin) return Fail(error);
  }
  const ResponseRequest request{input.sampleRateHz, options.tempoBpm, presetTitle};
  if (options.describe && !DescribeResponse(*plugin, request, WordsStream(options), &error)) return Fail(error);
  if (!options.responsePngPath.empty() && !PlotResponse(*plugin, request, options.responsePngPath, &error)) {
    return Fail(error);
  }
  if (!options.editorPngPath.empty() && !DrawEditorPicture(*plugin, options, &error)) return Fail(error);
  return 0;
}
