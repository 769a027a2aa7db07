// The per-channel buffer plumbing between a host's buffers and the effect's ProcessBlock.
//
// The channel configuration ("1-1 2-2") lists the legal input/output count pairs; the channel
// counts are the largest of each. Every channel has a slot in the pointer array handed to
// ProcessBlock and a scratch buffer of block-size doubles. A connected channel's slot points at
// the host's buffer (double precision) or at its scratch buffer holding converted samples
// (single precision); a disconnected channel's slot always points at its scratch buffer.
//
// Realtime: everything except SetBlockSize and construction is allocation-free.
// Not thread-safe on its own: IEffectBase calls it under the instance lock.
#pragma once

#include <vector>

namespace quivorant {

// Tags that pick the host's sample width: ProcessBuffers(kSinglePrecision, n).
struct SinglePrecision {};
struct DoublePrecision {};
inline constexpr SinglePrecision kSinglePrecision{};
inline constexpr DoublePrecision kDoublePrecision{};

// What a single-precision host block does with the host's outputs.
enum class OutputMode { kReplace, kAccumulate };

// Scratch buffers never hold more frames than this, whatever block size a host announces;
// longer host blocks are processed in pieces (IEffectBase::ProcessHostBlock).
inline constexpr int kMaxBlockFrames = 16384;

struct ChannelPair {
  int inputs = 0;
  int outputs = 0;
};

struct ChannelIO {
  bool connected = false;
  double** slot = nullptr;       // this channel's entry in the pointer array
  std::vector<double> scratch;   // block-size doubles
  float* destination = nullptr;  // outputs only: the host's single-precision buffer
};

class ChannelRouting {
public:
  explicit ChannelRouting(const char* channelConfig);
  ChannelRouting(const ChannelRouting&) = delete;
  ChannelRouting& operator=(const ChannelRouting&) = delete;

  const std::vector<ChannelPair>& Pairs() const { return pairs_; }
  int InputCount() const { return static_cast<int>(inputs_.size()); }
  int OutputCount() const { return static_cast<int>(outputs_.size()); }
  // A negative argument matches any count.
  bool IsLegalIO(int numInputs, int numOutputs) const;

  int BlockSize() const { return blockSize_; }
  // Resizes and zeroes every scratch buffer; nothing when n is the current size or negative,
  // or when memory runs out. Sizes above kMaxBlockFrames are limited to that.
  void SetBlockSize(int n);
  void ZeroScratch();

  // Any first/count: indices outside the channel list are skipped. Connecting every channel
  // while every one is connected (what most hosts' blocks ask) returns at once.
  void SetInputConnections(int first, int count, bool connected) {
    if (!(connected && first == 0 && count == InputCount() && connectedInputs_ == count))
      connectedInputs_ += SetConnections(inputs_, first, count, connected);
  }
  void SetOutputConnections(int first, int count, bool connected) {
    if (!(connected && first == 0 && count == OutputCount() && connectedOutputs_ == count))
      connectedOutputs_ += SetConnections(outputs_, first, count, connected);
  }
  bool IsInputConnected(int channel) const { return IsConnected(inputs_, channel); }
  bool IsOutputConnected(int channel) const { return IsConnected(outputs_, channel); }
  // Kept as the connections change: asked on every block.
  int ConnectedInputCount() const { return connectedInputs_; }
  int ConnectedOutputCount() const { return connectedOutputs_; }

  // Each connected channel from `first` takes the next host buffer in turn, advanced by
  // `offset` frames; disconnected channels take none. The float forms convert (at most
  // block-size frames) into scratch.
  void AttachInputs(int first, int count, double* const* buffers, int offset = 0);
  void AttachInputs(int first, int count, float* const* buffers, int nFrames, int offset = 0);
  void AttachOutputs(int first, int count, double* const* buffers, int offset = 0);
  void AttachOutputs(int first, int count, float* const* buffers, int offset = 0);

  double** InputPointers() { return inputPtrs_.data(); }
  double** OutputPointers() { return outputPtrs_.data(); }

  // Frames that can be processed without leaving any buffer a slot points at: the request
  // when every slot points at a host buffer, else at most the block size. Never negative.
  int SafeFrames(int nFrames) const;
  // The core's own copy of inputs to outputs (zeros for outputs without an input), on the
  // bound slots or on any pointer arrays.
  void CopyInputsToOutputs(int nFrames);
  static void CopyChannels(double* const* inputs, int numInputs, double* const* outputs, int numOutputs, int nFrames);
  // Converts the first nFrames of each connected output to its single-precision destination,
  // replacing or adding, and zeroes a replaced destination from nFrames up to totalFrames.
  void WriteDestinations(int nFrames, int totalFrames, bool accumulate);
  // Zeroes double-precision host outputs from nFrames up to totalFrames.
  void ZeroHostOutputTails(int nFrames, int totalFrames);

  // Forgets every host buffer once a block is done, so that no slot or destination can
  // outlive the host's buffers: bindings last for one block.
  void ReleaseHostBuffers();

  // Inputs from index 2 up stop being connected; with three or more outputs, outputs from
  // index 2 up are flagged connected (their slots are left as they are).
  void LimitToStereoIO();

private:
  static bool IsConnected(const std::vector<ChannelIO>& channels, int channel) {
    return channel >= 0 && channel < static_cast<int>(channels.size()) &&
           channels[static_cast<std::size_t>(channel)].connected;
  }
  // Returns the change in the number of connected channels.
  int SetConnections(std::vector<ChannelIO>& channels, int first, int count, bool connected);
  bool PointsAtScratch(const ChannelIO& channel) const;

  std::vector<ChannelPair> pairs_;
  std::vector<double*> inputPtrs_;
  std::vector<double*> outputPtrs_;
  std::vector<ChannelIO> inputs_;
  std::vector<ChannelIO> outputs_;
  int blockSize_ = 0;
  int connectedInputs_ = 0;
  int connectedOutputs_ = 0;
};

}  // namespace quivorant
