// Planar audio in double precision: what the tool reads, renders and writes.
#pragma once

#include <cstddef>
#include <vector>

namespace quivorant::render {

struct AudioBuffer {
  double sampleRateHz = 44100.0;
  std::vector<std::vector<double>> channels;  // one vector per channel, all the same length

  std::size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
  int ChannelCount() const { return static_cast<int>(channels.size()); }
};

}  // namespace quivorant::render
