#include "plug/ChannelRouting.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace quivorant {

namespace {

// One decimal integer as "%d" reads it: leading blanks skipped; saturates instead of
// overflowing. Returns false (and leaves *out) when no digits follow.
bool ReadInt(const char*& p, int* out) {
  char* end = nullptr;
  const long v = std::strtol(p, &end, 10);
  if (end == p) return false;
  p = end;
  *out = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
  return true;
}

// "%d-%d" at p; parts that do not parse stay 0.
ChannelPair ParsePair(const char* p) {
  ChannelPair pair;
  if (!ReadInt(p, &pair.inputs)) return pair;
  if (*p != '-') return pair;
  ++p;
  ReadInt(p, &pair.outputs);
  return pair;
}

// Channel lists are never longer than this, whatever a configuration claims.
constexpr int kMaxChannels = 256;

int ChannelCountFrom(int count) { return std::clamp(count, 0, kMaxChannels); }

int CountConnected(const std::vector<ChannelIO>& channels) {
  int n = 0;
  for (const ChannelIO& channel : channels) n += channel.connected ? 1 : 0;
  return n;
}

}  // namespace

ChannelRouting::ChannelRouting(const char* channelConfig) {
  int maxIn = 0;
  int maxOut = 0;
  const char* p = channelConfig;
  while (p && *p != '\0') {
    const ChannelPair pair = ParsePair(p);
    pairs_.push_back(pair);
    maxIn = std::max(maxIn, ChannelCountFrom(pair.inputs));
    maxOut = std::max(maxOut, ChannelCountFrom(pair.outputs));
    const char* blank = std::strchr(p, ' ');
    p = blank ? blank + 1 : nullptr;
  }

  inputPtrs_.assign(static_cast<std::size_t>(maxIn), nullptr);
  outputPtrs_.assign(static_cast<std::size_t>(maxOut), nullptr);
  inputs_.resize(static_cast<std::size_t>(maxIn));
  outputs_.resize(static_cast<std::size_t>(maxOut));
  // Slots start at their own (empty) scratch buffers: nothing ever points at a stale host buffer.
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    inputs_[i].slot = &inputPtrs_[i];
    *inputs_[i].slot = inputs_[i].scratch.data();
  }
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    outputs_[i].slot = &outputPtrs_[i];
    *outputs_[i].slot = outputs_[i].scratch.data();
  }
}

bool ChannelRouting::IsLegalIO(int numInputs, int numOutputs) const {
  for (const ChannelPair& pair : pairs_) {
    if ((numInputs < 0 || numInputs == pair.inputs) && (numOutputs < 0 || numOutputs == pair.outputs)) return true;
  }
  return false;
}

void ChannelRouting::SetBlockSize(int n) {
  if (n < 0 || n == blockSize_) return;
  const int frames = std::min(n, kMaxBlockFrames);
  if (frames == blockSize_) return;
  // Every new buffer is made before any old one is given up, so that running out of memory
  // leaves the previous block size fully working.
  std::vector<std::vector<double>> fresh;
  try {
    fresh.resize(inputs_.size() + outputs_.size());
    for (std::vector<double>& buffer : fresh) buffer.assign(static_cast<std::size_t>(frames), 0.0);
  } catch (...) {
    return;
  }
  std::size_t next = 0;
  // Slots on a scratch buffer (or disconnected) must follow it when it moves.
  auto install = [&](ChannelIO& channel) {
    const bool onScratch = *channel.slot == channel.scratch.data();
    channel.scratch.swap(fresh[next++]);
    if (onScratch || !channel.connected) *channel.slot = channel.scratch.data();
  };
  for (ChannelIO& channel : inputs_) install(channel);
  for (ChannelIO& channel : outputs_) install(channel);
  blockSize_ = frames;
}

void ChannelRouting::ZeroScratch() {
  for (ChannelIO& channel : inputs_) std::fill(channel.scratch.begin(), channel.scratch.end(), 0.0);
  for (ChannelIO& channel : outputs_) std::fill(channel.scratch.begin(), channel.scratch.end(), 0.0);
}

int ChannelRouting::SetConnections(std::vector<ChannelIO>& channels, int first, int count, bool connected) {
  const long long begin = std::max(first, 0);
  const long long end = std::min(static_cast<long long>(first) + count, static_cast<long long>(channels.size()));
  int change = 0;
  for (long long i = begin; i < end; ++i) {
    ChannelIO& channel = channels[static_cast<std::size_t>(i)];
    if (channel.connected != connected) change += connected ? 1 : -1;
    channel.connected = connected;
    if (!connected) {
      *channel.slot = channel.scratch.data();
      channel.destination = nullptr;
    }
  }
  return change;
}

namespace {

// Calls bind(channel, hostBuffer) for every connected channel in [first, first + count) with
// the next host buffer, `offset` frames in; buffers is consumed by connected channels only.
template <typename Sample, typename Bind>
void WalkConnected(std::vector<ChannelIO>& channels, int first, int count, Sample* const* buffers, int offset,
                   Bind bind) {
  const long long begin = std::max(first, 0);
  const long long end = std::min(static_cast<long long>(first) + count, static_cast<long long>(channels.size()));
  int next = 0;
  for (long long i = begin; i < end; ++i) {
    ChannelIO& channel = channels[static_cast<std::size_t>(i)];
    if (!channel.connected) continue;
    Sample* host = buffers ? buffers[next] : nullptr;
    bind(channel, host ? host + offset : nullptr);
    ++next;
  }
}

}  // namespace

void ChannelRouting::AttachInputs(int first, int count, double* const* buffers, int offset) {
  WalkConnected(inputs_, first, count, buffers, offset, [](ChannelIO& channel, double* host) {
    // A host that hands us no buffer gets silence rather than a crash.
    if (!host) std::fill(channel.scratch.begin(), channel.scratch.end(), 0.0);
    *channel.slot = host ? host : channel.scratch.data();
  });
}

void ChannelRouting::AttachInputs(int first, int count, float* const* buffers, int nFrames, int offset) {
  const int n = std::clamp(nFrames, 0, blockSize_);
  WalkConnected(inputs_, first, count, buffers, offset, [n](ChannelIO& channel, float* host) {
    double* dst = channel.scratch.data();
    if (host) {
      for (int i = 0; i < n; ++i) dst[i] = host[i];
    } else {
      std::fill(channel.scratch.begin(), channel.scratch.end(), 0.0);
    }
    *channel.slot = dst;
  });
}

void ChannelRouting::AttachOutputs(int first, int count, double* const* buffers, int offset) {
  WalkConnected(outputs_, first, count, buffers, offset, [](ChannelIO& channel, double* host) {
    channel.destination = nullptr;
    *channel.slot = host ? host : channel.scratch.data();
  });
}

void ChannelRouting::AttachOutputs(int first, int count, float* const* buffers, int offset) {
  WalkConnected(outputs_, first, count, buffers, offset, [](ChannelIO& channel, float* host) {
    channel.destination = host;
    *channel.slot = channel.scratch.data();
  });
}

bool ChannelRouting::PointsAtScratch(const ChannelIO& channel) const { return *channel.slot == channel.scratch.data(); }

int ChannelRouting::SafeFrames(int nFrames) const {
  if (nFrames <= 0) return 0;
  if (nFrames <= blockSize_) return nFrames;
  for (const ChannelIO& channel : inputs_) {
    if (PointsAtScratch(channel)) return blockSize_;
  }
  for (const ChannelIO& channel : outputs_) {
    if (PointsAtScratch(channel)) return blockSize_;
  }
  return nFrames;
}

void ChannelRouting::CopyChannels(double* const* inputs, int numInputs, double* const* outputs, int numOutputs,
                                  int nFrames) {
  if (nFrames <= 0 || !outputs) return;
  const std::size_t bytes = static_cast<std::size_t>(nFrames) * sizeof(double);
  const int shared = inputs ? std::min(numInputs, numOutputs) : 0;
  for (int c = 0; c < numOutputs; ++c) {
    double* out = outputs[c];
    if (!out) continue;
    if (c < shared) {
      const double* in = inputs[c];
      // Hosts may process in place: the input and output can be the same buffer.
      if (!in) {
        std::fill(out, out + nFrames, 0.0);
      } else if (in != out) {
        std::memmove(out, in, bytes);
      }
    } else {
      std::fill(out, out + nFrames, 0.0);
    }
  }
}

void ChannelRouting::CopyInputsToOutputs(int nFrames) {
  CopyChannels(inputPtrs_.data(), InputCount(), outputPtrs_.data(), OutputCount(), nFrames);
}

void ChannelRouting::WriteDestinations(int nFrames, int totalFrames, bool accumulate) {
  const int n = std::max(nFrames, 0);
  for (ChannelIO& channel : outputs_) {
    if (!channel.connected || !channel.destination) continue;
    float* dst = channel.destination;
    const double* src = *channel.slot;
    if (accumulate) {
      for (int i = 0; i < n; ++i) dst[i] += static_cast<float>(src[i]);
    } else {
      for (int i = 0; i < n; ++i) dst[i] = static_cast<float>(src[i]);
      for (int i = n; i < totalFrames; ++i) dst[i] = 0.0f;
    }
  }
}

void ChannelRouting::ZeroHostOutputTails(int nFrames, int totalFrames) {
  if (totalFrames <= nFrames) return;
  for (ChannelIO& channel : outputs_) {
    if (!channel.connected || PointsAtScratch(channel)) continue;
    std::fill(*channel.slot + nFrames, *channel.slot + totalFrames, 0.0);
  }
}

void ChannelRouting::ReleaseHostBuffers() {
  for (ChannelIO& channel : inputs_) *channel.slot = channel.scratch.data();
  for (ChannelIO& channel : outputs_) {
    *channel.slot = channel.scratch.data();
    channel.destination = nullptr;
  }
}

void ChannelRouting::LimitToStereoIO() {
  SetInputConnections(2, InputCount() - 2, false);
  if (OutputCount() >= 3) {
    for (std::size_t i = 2; i < outputs_.size(); ++i) outputs_[i].connected = true;
    connectedOutputs_ = CountConnected(outputs_);
  }
}

}  // namespace quivorant
