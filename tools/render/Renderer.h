// The block loop: hands the input to the plug-in block by block with the host's tempo and a
// playing transport, in single or double precision, and collects the output.
#pragma once

#include <cstddef>
#include <string>

#include "tools/render/AudioBuffer.h"
#include "tools/render/HostedPlugin.h"

namespace quivorant::render {

struct RenderSettings {
  int blockFrames = 512;
  bool doublePrecision = false;
  double tempoBpm = 120.0;  // 0: no tempo reported (the LFO holds)
  bool playing = true;
};

// Starts the plug-in at the input's sample rate, renders every frame, stops it. Mono input is
// processed as a pair of identical channels and written back as mono.
bool RenderThrough(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings, AudioBuffer* output,
                   std::string* error, const std::string& progressLabel);

// Changes the tool made wait for the next block (as they do in a DAW); one short silent block
// brings them into the plug-in before its state or values are read.
void ApplyWaitingChanges(HostedPlugin& plugin);

struct Level {
  double peakDbfs;
  double rmsDbfs;
  std::size_t overFullScale;  // samples beyond +-1, which a PCM file clips
};
Level MeasureLevel(const AudioBuffer& audio);

}  // namespace quivorant::render
