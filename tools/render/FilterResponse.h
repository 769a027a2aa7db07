// The filter as the loaded plug-in holds it: its settings read back through the host interface,
// its magnitude response measured through the plug-in (an impulse with no tempo reported, so the
// LFO stays at rest), and that response put into words. The plot and --describe share these.
#pragma once

#include <string>
#include <vector>

#include "tools/render/HostedPlugin.h"

namespace quivorant::render {

struct ResponsePoint {
  double hz;
  double db;
};
using ResponseCurve = std::vector<ResponsePoint>;

// The settings that shape the curve, as the plug-in reports them.
struct FilterSettings {
  int type = 0;  // 0 Lowpass, 1 Highpass, 2 Bandpass
  std::string typeText;
  double frequencyHz = 0.0;
  double bandwidthPercent = 0.0;
  double mixPercent = 0.0;
  int lfoTarget = 0;  // 0 none, 1 frequency, 2 bandwidth, 3 mix
  std::string lfoTargetText, lfoWaveText, lfoRateText;
  int lfoRate = 0;
  double lfoDepthPercent = 0.0;
};
bool ReadFilterSettings(HostedPlugin& plugin, FilterSettings* settings, std::string* error);

// The ends of the LFO's sweep in its target's units (Hz, or percent for bandwidth and mix), as
// the effect computes them; false when the LFO is not assigned.
bool LfoSweepEnds(const FilterSettings& settings, double* low, double* high);

// The highest frequency the filter uses at this sample rate (it limits higher settings).
double FilterFrequencyLimitHz(double sampleRateHz);

// The response from 20 Hz to 20 kHz (or just below the frequency limit) at log-spaced points.
bool MeasureResponse(HostedPlugin& plugin, double sampleRateHz, ResponseCurve* curve, std::string* error);

// The response with one parameter moved to a plain value, which is put back afterwards.
bool MeasureResponseWith(HostedPlugin& plugin, double sampleRateHz, const std::string& param, double plain,
                         ResponseCurve* curve, std::string* error);

// "-3 dB at 660 Hz" for low- and highpass, the -3 dB band and its width for bandpass, plus a
// resonant peak where there is one.
std::string DescribeCurve(const FilterSettings& settings, const ResponseCurve& curve);

// "frequency 2010 to 9990 Hz", "mix 40 to 100 %", or empty when the LFO is not assigned.
std::string DescribeSweep(const FilterSettings& settings);

// "Sine, 1/8 (0.25 s at 120 BPM), frequency 2010 to 9990 Hz", or "off".
std::string DescribeLfo(const FilterSettings& settings, double tempoBpm);

// "1.3 kHz", "660 Hz".
std::string FormatHz(double hz);

}  // namespace quivorant::render
