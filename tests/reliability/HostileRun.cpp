#include "tests/reliability/HostileRun.h"

#include <algorithm>
#include <cmath>

namespace quivorant::test {
namespace {

constexpr int kBlockSizes[] = {0, 1, 7, 8192, 3, 1023, 4095, 0, 511, 8191, 1, 2047, 5, 6143, 97, 333};
constexpr int kBlocksPerTempo = 3;

}  // namespace

const std::vector<double>& HostileTempi() {
  static const std::vector<double> tempi{120.0, 0.0, -120.0, 1.0, 999.0};
  return tempi;
}

StereoSignal RunHostile(HostedEffect& effect, const StereoSignal& input) {
  StereoSignal output;
  output.left.assign(input.size(), 0.0);
  output.right.assign(input.size(), 0.0);
  StereoSignal in = input;  // the effect may write flushed samples back into its input
  std::size_t done = 0;
  for (int block = 0; done < input.size() || block == 0; ++block) {
    if (block % kBlocksPerTempo == 0)
      effect.SetTempo(HostileTempi()[(block / kBlocksPerTempo) % HostileTempi().size()]);
    const int wanted = kBlockSizes[block % std::size(kBlockSizes)];
    const int frames = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(wanted), input.size() - done));
    double* const inPtr[2] = {in.left.data() + done, in.right.data() + done};
    double* const outPtr[2] = {output.left.data() + done, output.right.data() + done};
    effect.Process(inPtr, outPtr, frames);
    done += static_cast<std::size_t>(frames);
  }
  return output;
}

StereoSignal SquareWave(double frequencyHz, double sampleRate, std::size_t frames) {
  StereoSignal s;
  for (std::size_t i = 0; i < frames; ++i) {
    const double v = std::fmod(static_cast<double>(i) * frequencyHz / sampleRate, 1.0) < 0.5 ? 1.0 : -1.0;
    s.left.push_back(v);
    s.right.push_back(-v);
  }
  return s;
}

}  // namespace quivorant::test
