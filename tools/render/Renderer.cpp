#include "tools/render/Renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/render/Progress.h"

namespace quivorant::render {

namespace {

template <typename Sample>
void RenderBlocks(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings, AudioBuffer* output,
                  Progress& progress) {
  const size_t frames = input.Frames();
  const size_t block = static_cast<size_t>(settings.blockFrames);
  std::vector<Sample> in[2], out[2];
  for (int c = 0; c < 2; ++c) {
    in[c].resize(block);
    out[c].resize(block);
  }
  Sample* inPtrs[2] = {in[0].data(), in[1].data()};
  Sample* outPtrs[2] = {out[0].data(), out[1].data()};
  const int inputChannels = input.ChannelCount();
  TransportInfo transport;
  transport.tempoBpm = settings.tempoBpm;
  transport.playing = settings.playing;
  for (size_t start = 0; start < frames; start += block) {
    const size_t count = std::min(block, frames - start);
    for (int c = 0; c < 2; ++c) {
      const auto& source = input.channels[static_cast<size_t>(std::min(c, inputChannels - 1))];
      for (size_t f = 0; f < count; ++f) in[c][f] = static_cast<Sample>(source[start + f]);
    }
    transport.samplePosition = static_cast<double>(start);
    plugin.Process(transport, inPtrs, outPtrs, static_cast<int>(count));
    for (int c = 0; c < output->ChannelCount(); ++c) {
      auto& target = output->channels[static_cast<size_t>(c)];
      for (size_t f = 0; f < count; ++f) target[start + f] = static_cast<double>(out[c][f]);
    }
    progress.Update(start + count);
  }
}

}  // namespace

bool RenderThrough(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings, AudioBuffer* output,
                   std::string* error, const std::string& progressLabel) {
  if (input.ChannelCount() < 1 || input.ChannelCount() > 2) {
    *error = "only mono and stereo input can be rendered";
    return false;
  }
  if (!plugin.Start(input.sampleRateHz, settings.blockFrames, settings.doublePrecision)) {
    *error =
        settings.doublePrecision ? "the plug-in refused 64-bit processing" : "the plug-in refused to start processing";
    return false;
  }
  AudioBuffer result;
  result.sampleRateHz = input.sampleRateHz;
  result.channels.assign(static_cast<size_t>(input.ChannelCount()), std::vector<double>(input.Frames(), 0.0));
  Progress progress(progressLabel, input.Frames());
  if (settings.doublePrecision) {
    RenderBlocks<double>(plugin, input, settings, &result, progress);
  } else {
    RenderBlocks<float>(plugin, input, settings, &result, progress);
  }
  plugin.Stop();
  *output = std::move(result);
  return true;
}

void ApplyWaitingChanges(HostedPlugin& plugin) {
  constexpr int kFrames = 16;
  std::vector<float> silence(2 * kFrames, 0.0f), out(2 * kFrames, 0.0f);
  float* in[2] = {silence.data(), silence.data() + kFrames};
  float* outs[2] = {out.data(), out.data() + kFrames};
  if (!plugin.Start(44100.0, kFrames, false)) return;
  TransportInfo transport;
  transport.tempoBpm = 0.0;  // no tempo: the LFO is not started for this block
  transport.playing = false;
  plugin.Process(transport, in, outs, kFrames);
  plugin.Stop();
}

Level MeasureLevel(const AudioBuffer& audio) {
  double peak = 0.0, sum = 0.0;
  size_t count = 0, over = 0;
  for (const auto& ch : audio.channels) {
    for (double v : ch) {
      peak = std::max(peak, std::fabs(v));
      over += std::fabs(v) > 1.0;
      sum += v * v;
      ++count;
    }
  }
  auto db = [](double x) { return x > 0.0 ? 20.0 * std::log10(x) : -INFINITY; };
  return {db(peak), db(count ? std::sqrt(sum / static_cast<double>(count)) : 0.0), over};
}

}  // namespace quivorant::render
