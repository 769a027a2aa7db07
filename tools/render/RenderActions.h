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

// Every factory preset to DIR/<index>-<name>.wav, each from a freshly started plug-in, with a
// one-line level summary per preset on standard output.
bool RenderAllPresets(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings,
                      const RenderOptions& options, std::string* error);

// The magnitude response at the current settings, measured through the plug-in with the LFO held
// (no tempo reported), plotted as dB against log frequency from 20 Hz to 20 kHz.
bool PlotResponse(HostedPlugin& plugin, double sampleRateHz, const std::string& pngPath, std::string* error);

// The editor as the plug-in's current state shows it (preset and settings applied), drawn
// without a window and saved to options.editorPngPath.
bool DrawEditorPicture(HostedPlugin& plugin, const RenderOptions& options, std::string* error);

}  // namespace quivorant::render
