// The tool's jobs beyond a single render: the listing, the preset demo and the pictures.
#pragma once

#include <cstdio>
#include <string>

#include "tools/render/AudioBuffer.h"
#include "tools/render/HostedPlugin.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/Renderer.h"

namespace quivorant::render {

// Parameters (name, range, unit, default, display texts) and presets, as the host sees them.
void PrintPluginListing(HostedPlugin& plugin, std::FILE* out);

// Writes a render to `path` in `subtype` and measures it; a PCM subtype's clipped samples are
// counted on standard error, as they are lost.
bool SaveRender(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype, Level* level,
                std::string* error);

// Every factory preset to DIR/<index>-<name>.wav, each from a freshly started plug-in, with a
// one-line level summary per preset on standard output.
bool RenderAllPresets(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings,
                      const RenderOptions& options, std::string* error);

// What the response plot and --describe measure at: the rate, the tempo the LFO's timing is told
// in, and the preset's name for the title (empty: none selected).
struct ResponseRequest {
  double sampleRateHz;
  double tempoBpm;
  std::string presetTitle;
};

// The magnitude response at the current settings, measured through the plug-in with the LFO at
// rest (no tempo reported), plotted as dB against log frequency from 20 Hz to 20 kHz, with the
// band an assigned LFO sweeps the response through shaded.
bool PlotResponse(HostedPlugin& plugin, const ResponseRequest& request, const std::string& pngPath, std::string* error);

// The same measurement in one line: the settings, the -3 dB points or band, and the LFO.
bool DescribeResponse(HostedPlugin& plugin, const ResponseRequest& request, std::FILE* out, std::string* error);

// The editor as the plug-in's current state shows it (preset and settings applied), drawn
// without a window and saved to options.editorPngPath.
bool DrawEditorPicture(HostedPlugin& plugin, const RenderOptions& options, std::string* error);

}  // namespace quivorant::render
