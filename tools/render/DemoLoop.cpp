#include "tools/render/DemoLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quivorant::render {

namespace {

constexpr double kPi = 3.14159265358979323846;

// xorshift32: the same noise on every machine and compiler.
class Noise {
public:
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

private:
  uint32_t state_ = 0x9E3779B9u;
};

// A naive sawtooth with the discontinuity smoothed by a two-sample polynomial, so the chord does
// not alias badly at 44.1 kHz.
double PolyBlepSaw(double phase, double step) {
  double v = 2.0 * phase - 1.0;
  if (phase < step) {
    const double t = phase / step;
    v -= t + t - t * t - 1.0;
  } else if (phase > 1.0 - step) {
    const double t = (phase - 1.0) / step;
    v -= t * t + t + t + 1.0;
  }
  return v;
}

void AddKick(AudioBuffer& out, std::size_t start, double rate) {
  const std::size_t length = static_cast<std::size_t>(0.35 * rate);
  double phase = 0.0;
  for (std::size_t n = 0; n < length && start + n < out.Frames(); ++n) {
    const double t = static_cast<double>(n) / rate;
    const double freq = 45.0 + 110.0 * std::exp(-t * 28.0);
    phase += freq / rate;
    const double v = 0.8 * std::sin(2.0 * kPi * phase) * std::exp(-t * 9.0);
    out.channels[0][start + n] += v;
    out.channels[1][start + n] += v;
  }
}

void AddNoiseBurst(AudioBuffer& out, std::size_t start, double rate, Noise& noise, double seconds, double decay,
                   double gain, double pan, double highpass) {
  const std::size_t length = static_cast<std::size_t>(seconds * rate);
  double previous = 0.0;
  for (std::size_t n = 0; n < length && start + n < out.Frames(); ++n) {
    const double t = static_cast<double>(n) / rate;
    const double white = noise.Next();
    const double v = (white - highpass * previous) * gain * std::exp(-t * decay);
    previous = white;
    out.channels[0][start + n] += v * (1.0 - pan);
    out.channels[1][start + n] += v * (1.0 + pan);
  }
}

}  // namespace

AudioBuffer MakeDemoLoop(double sampleRateHz, double tempoBpm) {
  AudioBuffer out;
  out.sampleRateHz = sampleRateHz;
  const double beat = 60.0 / tempoBpm;
  const std::size_t frames = static_cast<std::size_t>(8.0 * beat * sampleRateHz);
  out.channels.assign(2, std::vector<double>(frames, 0.0));

  // The chord: A minor seventh, two bars, each voice a little detuned left against right.
  const double voices[] = {110.0, 220.0, 261.63, 329.63, 392.0};
  for (int side = 0; side < 2; ++side) {
    for (double base : voices) {
      const double freq = base * (side == 0 ? 0.997 : 1.003);
      const double step = freq / sampleRateHz;
      double phase = side * 0.25;
      for (std::size_t n = 0; n < frames; ++n) {
        // A soft swell on each bar keeps the loop from sounding like a test tone.
        const double barPos = std::fmod(static_cast<double>(n) / sampleRateHz, 4.0 * beat) / (4.0 * beat);
        const double envelope = 0.55 + 0.45 * std::sin(kPi * barPos);
        out.channels[side][n] += 0.045 * envelope * PolyBlepSaw(phase, step);
        phase += step;
        if (phase >= 1.0) phase -= 1.0;
      }
    }
  }

  Noise noise;
  const std::size_t eighth = static_cast<std::size_t>(beat * 0.5 * sampleRateHz);
  for (int step = 0; step < 16; ++step) {
    const std::size_t at = static_cast<std::size_t>(step) * eighth;
    if (step % 4 == 0 || step == 7 || step == 10) AddKick(out, at, sampleRateHz);
    if (step % 4 == 2) AddNoiseBurst(out, at, sampleRateHz, noise, 0.25, 16.0, 0.45, 0.0, 0.5);
    AddNoiseBurst(out, at, sampleRateHz, noise, 0.06, 70.0, step % 2 ? 0.12 : 0.2, step % 2 ? 0.4 : -0.4, 0.95);
  }

  double peak = 0.0;
  for (const auto& ch : out.channels) {
    for (double v : ch) peak = std::max(peak, std::fabs(v));
  }
  if (peak > 0.0) {
    const double gain = 0.7 / peak;
    for (auto& ch : out.channels) {
      for (double& v : ch) v *= gain;
    }
  }
  return out;
}

}  // namespace quivorant::render
