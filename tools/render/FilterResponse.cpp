#include "tools/render/FilterResponse.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>

#include "effect/BiquadCoefficients.h"
#include "effect/LfoRate.h"
#include "effect/LfoSwing.h"
#include "tools/render/PluginSettings.h"
#include "tools/render/Renderer.h"

namespace quivorant::render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;
constexpr int kPoints = 480;

// A parameter's plain value (a list parameter's index) and its display text.
bool ReadParam(HostedPlugin& plugin, const char* name, double* plain, std::string* text, std::string* error) {
  const int index = FindParam(plugin, name);
  if (index < 0) {
    *error = std::string("the plug-in has no \"") + name + "\" parameter";
    return false;
  }
  const HostedParamInfo info = plugin.ParamInfo(index);
  const double normalized = plugin.GetNormalized(index);
  *text = plugin.FormatNormalized(index, normalized);
  if (!info.valueTexts.empty()) {
    *plain = std::round(normalized * info.stepCount);
    return true;
  }
  if (!ParseNumber(*text, plain)) {
    *error = std::string("the plug-in shows \"") + name + "\" as \"" + *text + "\", not as a number";
    return false;
  }
  return true;
}

// Where the curve first falls 3 dB below `reference`, walking from point `from` by `direction`;
// interpolated in log frequency. 0 when it never does inside the curve.
double ThreeDbPoint(const ResponseCurve& curve, int from, int direction, double reference) {
  const double level = reference - 3.0;
  for (int i = from + direction; i >= 0 && i < static_cast<int>(curve.size()); i += direction) {
    const ResponsePoint& a = curve[static_cast<size_t>(i - direction)];
    const ResponsePoint& b = curve[static_cast<size_t>(i)];
    if (b.db < level) {
      const double t = (a.db - level) / (a.db - b.db);
      return std::exp(std::log(a.hz) + t * (std::log(b.hz) - std::log(a.hz)));
    }
  }
  return 0.0;
}

// The peak's frequency between the measured points: a parabola through the highest point and its
// neighbours (the points are evenly spaced in log frequency).
double PeakHz(const ResponseCurve& curve, size_t at) {
  if (at == 0 || at + 1 >= curve.size()) return curve[at].hz;
  const double y0 = curve[at - 1].db, y1 = curve[at].db, y2 = curve[at + 1].db;
  const double bend = y0 - 2.0 * y1 + y2;
  const double offset = bend < 0.0 ? 0.5 * (y0 - y2) / bend : 0.0;
  return curve[at].hz * std::pow(curve[at + 1].hz / curve[at].hz, offset);
}

std::string Printf(const char* format, double a, double b = 0.0) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

}  // namespace

std::string FormatHz(double hz) {
  if (hz >= 1000.0) return Printf("%.3g kHz", hz / 1000.0);
  return Printf("%.0f Hz", hz);
}

bool ReadFilterSettings(HostedPlugin& plugin, FilterSettings* s, std::string* error) {
  ApplyWaitingChanges(plugin);
  double type = 0.0, target = 0.0, wave = 0.0, rate = 0.0;
  std::string text, ignored;
  if (!ReadParam(plugin, "Filter Type", &type, &s->typeText, error) ||
      !ReadParam(plugin, "Filter Freq", &s->frequencyHz, &text, error) ||
      !ReadParam(plugin, "Filter Bandwidth", &s->bandwidthPercent, &text, error) ||
      !ReadParam(plugin, "Filter Mix", &s->mixPercent, &text, error) ||
      !ReadParam(plugin, "LFO Target", &target, &s->lfoTargetText, error) ||
      !ReadParam(plugin, "LFO Wave", &wave, &s->lfoWaveText, error) ||
      !ReadParam(plugin, "LFO Rate", &rate, &s->lfoRateText, error) ||
      !ReadParam(plugin, "LFO Depth", &s->lfoDepthPercent, &text, error)) {
    return false;
  }
  s->type = static_cast<int>(type);
  s->lfoTarget = static_cast<int>(target);
  s->lfoRate = static_cast<int>(rate);
  return true;
}

bool LfoSweepEnds(const FilterSettings& s, double* low, double* high) {
  LfoBaseValues base;
  base.frequencyHz = static_cast<std::int32_t>(s.frequencyHz);
  base.bandwidth = static_cast<float>(s.bandwidthPercent) * 0.01f;
  base.mix = static_cast<float>(s.mixPercent) * 0.01f;
  LfoSwing swing;
  if (!ComputeLfoSwing(s.lfoTarget, static_cast<float>(s.lfoDepthPercent) * 0.01f, base, &swing)) return false;
  const double unit = s.lfoTarget == kLfoTargetFrequency ? 1.0 : 100.0;
  *low = swing.offset * unit;
  *high = (swing.offset + swing.range) * unit;
  return true;
}

double FilterFrequencyLimitHz(double sampleRateHz) { return kMaxFrequencyFraction * sampleRateHz; }

bool MeasureResponse(HostedPlugin& plugin, double sampleRateHz, ResponseCurve* curve, std::string* error) {
  AudioBuffer impulse;
  impulse.sampleRateHz = sampleRateHz;
  const size_t length = static_cast<size_t>(std::max(65536.0, std::ceil(1.5 * sampleRateHz)));
  impulse.channels.assign(1, std::vector<double>(length, 0.0));
  impulse.channels[0][0] = 1.0;
  RenderSettings settings;
  settings.blockFrames = 4096;
  settings.doublePrecision = true;
  settings.tempoBpm = 0.0;
  settings.playing = false;
  AudioBuffer response;
  if (!RenderThrough(plugin, impulse, settings, &response, error, "measuring")) return false;
  const std::vector<double>& h = response.channels[0];
  const double top = std::min(kHighHz, FilterFrequencyLimitHz(sampleRateHz));
  curve->clear();
  for (int i = 0; i < kPoints; ++i) {
    const double hz = kLowHz * std::pow(top / kLowHz, static_cast<double>(i) / (kPoints - 1));
    const double w = 2.0 * kPi * hz / sampleRateHz;
    // Goertzel-style recurrence: the transform of h at one frequency without a full FFT.
    const double coeff = 2.0 * std::cos(w);
    double s1 = 0.0, s2 = 0.0;
    for (size_t n = h.size(); n-- > 0;) {
      const double s0 = h[n] + coeff * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    const std::complex<double> value(s1 - s2 * std::cos(w), s2 * std::sin(w));
    curve->push_back({hz, 20.0 * std::log10(std::max(std::abs(value), 1e-12))});
  }
  return true;
}

bool MeasureResponseWith(HostedPlugin& plugin, double sampleRateHz, const std::string& param, double plain,
                         ResponseCurve* curve, std::string* error) {
  const int index = FindParam(plugin, param);
  if (index < 0) {
    *error = "the plug-in has no \"" + param + "\" parameter";
    return false;
  }
  const double before = plugin.GetNormalized(index);
  plugin.SetNormalized(index, plugin.PlainToNormalized(index, std::round(plain)));
  const bool measured = MeasureResponse(plugin, sampleRateHz, curve, error);
  plugin.SetNormalized(index, before);
  return measured;
}

std::string DescribeCurve(const FilterSettings& s, const ResponseCurve& curve) {
  if (curve.empty()) return "no response";
  const auto peak = std::max_element(curve.begin(), curve.end(),
                                     [](const ResponsePoint& a, const ResponsePoint& b) { return a.db < b.db; });
  const int peakAt = static_cast<int>(peak - curve.begin());
  const int last = static_cast<int>(curve.size()) - 1;
  std::string words;
  double reference = peak->db;
  if (s.type == 2) {
    const double low = ThreeDbPoint(curve, peakAt, -1, reference);
    const double high = ThreeDbPoint(curve, peakAt, +1, reference);
    words = "-3 dB band " + (low > 0.0 ? FormatHz(low) : "below 20 Hz") + " to " +
            (high > 0.0 ? FormatHz(high) : "the top") +
            (low > 0.0 && high > 0.0 ? Printf(" (%.1f octaves)", std::log2(high / low)) : "");
  } else {
    // The passband's level: the lowest frequency for a lowpass, the highest for a highpass.
    const int passband = s.type == 0 ? 0 : last;
    reference = curve[static_cast<size_t>(passband)].db;
    const double edge = ThreeDbPoint(curve, passband, s.type == 0 ? +1 : -1, reference);
    words = edge > 0.0 ? "-3 dB at " + FormatHz(edge) : "no -3 dB point in 20 Hz to 20 kHz";
  }
  if (peak->db > curve[static_cast<size_t>(s.type == 1 ? last : 0)].db + 1.0 || s.type == 2) {
    words += ", peak " + (std::fabs(peak->db) < 0.05 ? std::string("0 dB") : Printf("%+.1f dB", peak->db)) + " at " +
             FormatHz(PeakHz(curve, static_cast<size_t>(peakAt)));
  }
  return words;
}

std::string DescribeSweep(const FilterSettings& s) {
  double low = 0.0, high = 0.0;
  if (!LfoSweepEnds(s, &low, &high)) return {};
  if (s.lfoTarget == kLfoTargetFrequency) return "frequency " + Printf("%.0f to %.0f Hz", low, high);
  return (s.lfoTarget == kLfoTargetBandwidth ? "bandwidth " : "mix ") + Printf("%.0f to %.0f %%", low, high);
}

std::string DescribeLfo(const FilterSettings& s, double tempoBpm) {
  const std::string sweep = DescribeSweep(s);
  if (sweep.empty()) return "off";
  const double seconds = static_cast<double>(LfoRateWholeNotes(s.lfoRate)) * 4.0 * 60.0 / tempoBpm;
  return s.lfoWaveText + ", " + s.lfoRateText + Printf(" (%.3g s at %g BPM), ", seconds, tempoBpm) + sweep;
}

}  // namespace quivorant::render
