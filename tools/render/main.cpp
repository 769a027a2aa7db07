// quivorant-render: a small command-line host. It loads a built quivorant plug-in through its
// real entry points, exactly as a DAW would, and renders audio files, preset demos and plots.
#include <cstdio>
#include <filesystem>
#include <system_error>

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

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error = ParseRenderOptions(argc, argv, &options);
  if (!error.empty()) return Fail(error);
  if (options.showHelp) {
    std::fputs(RenderUsage(), stdout);
    return 0;
  }
  const bool hasWork = options.listOnly || options.allPresets || !options.outputPath.empty() ||
                       !options.responsePngPath.empty() || !options.editorPngPath.empty();
  if (!hasWork) return Fail("nothing to do: give -o, --all-presets, --list, --response-png or --editor-png");

  std::string pluginPath = options.pluginPath.empty() ? DefaultPluginPath(options.format) : options.pluginPath;
  std::unique_ptr<HostedPlugin> plugin = LoadPlugin(options.format, pluginPath, &error);
  if (!plugin) return Fail(error);

  if (options.listOnly) {
    PrintPluginListing(*plugin, stdout);
    return 0;
  }

  // Preset first, then the explicit settings on top of it.
  if (!options.preset.empty()) {
    const int preset = FindPreset(*plugin, options.preset, &error);
    if (preset < 0) return Fail(error);
    if (!plugin->SelectPreset(preset)) return Fail("the plug-in refused preset " + options.preset);
  }
  for (const auto& [name, value] : options.settings) {
    if (!ApplySetting(*plugin, name, value, &error)) return Fail(error);
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
    if (!WriteAudioFile(options.outputPath, output, options.subtype, &error)) return Fail(error);
    const Level level = MeasureLevel(output);
    std::printf("%s: peak %.1f dBFS, RMS %.1f dBFS\n", options.outputPath.c_str(), level.peakDbfs, level.rmsDbfs);
  }
  if (options.allPresets && !RenderAllPresets(*plugin, input, settings, options, &error)) return Fail(error);
  if (!options.responsePngPath.empty() && !PlotResponse(*plugin, input.sampleRateHz, options.responsePngPath, &error)) {
    return Fail(error);
  }
  if (!options.editorPngPath.empty() && !DrawEditorPicture(*plugin, options, &error)) return Fail(error);
  return 0;
}
