// audio_compare A B: exit 0 when both files hold the same sample rate, channels and samples,
// bit for bit; otherwise 1 with the first difference on standard error.
#include <cstdio>

#include "tools/render/AudioFile.h"

int main(int argc, char** argv) {
  using namespace quivorant::render;
  if (argc != 3) {
    std::fprintf(stderr, "usage: audio_compare A B\n");
    return 2;
  }
  AudioBuffer a, b;
  std::string error;
  if (!ReadAudioFile(argv[1], &a, &error) || !ReadAudioFile(argv[2], &b, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (a.sampleRateHz != b.sampleRateHz || a.ChannelCount() != b.ChannelCount() || a.Frames() != b.Frames()) {
    std::fprintf(stderr, "shapes differ: %g Hz x %d x %zu against %g Hz x %d x %zu\n", a.sampleRateHz, a.ChannelCount(),
                 a.Frames(), b.sampleRateHz, b.ChannelCount(), b.Frames());
    return 1;
  }
  for (int c = 0; c < a.ChannelCount(); ++c) {
    for (size_t i = 0; i < a.Frames(); ++i) {
      if (a.channels[c][i] != b.channels[c][i]) {
        std::fprintf(stderr, "channel %d, frame %zu: %.17g against %.17g\n", c, i, a.channels[c][i], b.channels[c][i]);
        return 1;
      }
    }
  }
  std::printf("%zu frames x %d channels identical\n", a.Frames(), a.ChannelCount());
  return 0;
}
