// The magnitude response as a picture: dB against log frequency, the curve at the current
// settings with the LFO at rest, and where an LFO is assigned the band the response sweeps
// through shaded behind it. Drawn with our own raster layer.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "raster/RasterCachedFont.h"
#include "raster/RasterFill.h"
#include "raster/RasterLine.h"
#include "raster/RasterMemBitmap.h"
#include "raster/RasterPolyline.h"
#include "tools/render/FilterResponse.h"
#include "tools/render/PngFile.h"
#include "tools/render/RenderActions.h"

namespace quivorant::render {

namespace {

constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;
// Positions across the LFO's sweep whose responses bound the shaded band (the ends included).
constexpr int kSweepPositions = 9;
const char* const kSweptParams[] = {nullptr, "Filter Freq", "Filter Bandwidth", "Filter Mix"};

// Where the curve goes inside the picture, and how frequency and level map onto it.
struct PlotArea {
  int left, top, right, bottom;
  double dbTop, dbBottom;

  float X(double hz) const {
    return static_cast<float>(left + std::log(hz / kLowHz) / std::log(kHighHz / kLowHz) * (right - left));
  }
  float Y(double db) const {
    return static_cast<float>(top + (dbTop - std::clamp(db, dbBottom, dbTop)) / (dbTop - dbBottom) * (bottom - top));
  }
};

void Text(RasterCachedFont& font, RasterBitmap& bitmap, const std::string& text, int x, int y, int w, int h,
          int flags) {
  font.DrawText(&bitmap, text.c_str(), -1, RasterRect{x, y, x + w, y + h}, flags);
}

std::string Number(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

// "Bandpass 6000 Hz, bandwidth 20 %, mix 80 %, LFO at rest", with the limit where the filter
// cannot reach the set frequency at this rate.
std::string SettingsLine(const FilterSettings& s, double sampleRateHz) {
  std::string line = s.typeText + Number(" %.0f Hz", s.frequencyHz);
  const double limit = FilterFrequencyLimitHz(sampleRateHz);
  if (s.frequencyHz > limit) line += " (limited to " + FormatHz(limit) + " at this rate)";
  line += Number(", bandwidth %.0f %%", s.bandwidthPercent) + Number(", mix %.0f %%", s.mixPercent);
  if (s.lfoTarget > 0) line += ", LFO at rest";
  return line;
}

// The lowest and highest level of the response at each point across the LFO's sweep.
bool MeasureSweepBand(HostedPlugin& plugin, const FilterSettings& s, double sampleRateHz, ResponseCurve* lowest,
                      ResponseCurve* highest, std::string* error) {
  double from = 0.0, to = 0.0;
  if (!LfoSweepEnds(s, &from, &to)) return true;
  for (int k = 0; k < kSweepPositions; ++k) {
    ResponseCurve curve;
    const double value = from + (to - from) * k / (kSweepPositions - 1);
    if (!MeasureResponseWith(plugin, sampleRateHz, kSweptParams[s.lfoTarget], value, &curve, error)) return false;
    if (k == 0) *lowest = *highest = curve;
    for (size_t i = 0; i < curve.size(); ++i) {
      (*lowest)[i].db = std::min((*lowest)[i].db, curve[i].db);
      (*highest)[i].db = std::max((*highest)[i].db, curve[i].db);
    }
  }
  return true;
}

void DrawGrid(RasterBitmap& bmp, RasterCachedFont& font, const PlotArea& plot) {
  const RasterPixel grid = 0xFF2F343Du, gridStrong = 0xFF434A56u;
  const double marks[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
  const char* labels[] = {"20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k"};
  for (int i = 0; i < 10; ++i) {
    const int x = static_cast<int>(std::lround(plot.X(marks[i])));
    const bool decade = marks[i] == 100 || marks[i] == 1000 || marks[i] == 10000;
    RasterLine(&bmp, x, plot.top, x, plot.bottom, decade ? gridStrong : grid, 1.0f, kRasterCopy, false);
    Text(font, bmp, labels[i], x - 20, plot.bottom + 6, 40, 16, kRasterTextCenter);
  }
  for (double db = plot.dbTop; db >= plot.dbBottom - 0.5; db -= 12.0) {
    const int y = static_cast<int>(std::lround(plot.Y(db)));
    RasterLine(&bmp, plot.left, y, plot.right, y, std::fabs(db) < 0.5 ? gridStrong : grid, 1.0f, kRasterCopy, false);
    Text(font, bmp, std::fabs(db) < 0.5 ? "0 dB" : Number("%+.0f dB", db), 4, y - 8, plot.left - 10, 16,
         kRasterTextRight);
  }
  Text(font, bmp, "Frequency (Hz)", plot.left, plot.bottom + 24, plot.right - plot.left, 16, kRasterTextCenter);
}

}  // namespace

bool PlotResponse(HostedPlugin& plugin, const ResponseRequest& request, const std::string& pngPath,
                  std::string* error) {
  FilterSettings settings;
  ResponseCurve curve, lowest, highest;
  if (!ReadFilterSettings(plugin, &settings, error) || !MeasureResponse(plugin, request.sampleRateHz, &curve, error) ||
      !MeasureSweepBand(plugin, settings, request.sampleRateHz, &lowest, &highest, error)) {
    return false;
  }

  constexpr int kWidth = 720, kHeight = 400;
  RasterMemBitmap bmp(kWidth, kHeight, 4);
  double peak = -1e9;
  for (const auto& p : highest.empty() ? curve : highest) peak = std::max(peak, p.db);
  // Room above the highest point; seven 12 dB divisions below.
  const double dbTop = std::max(12.0, 6.0 * std::ceil((peak + 3.0) / 6.0));
  const PlotArea plot{72, 62, kWidth - 20, kHeight - 46, dbTop, dbTop - 84.0};
  RasterFillRect(&bmp, 0, 0, kWidth, kHeight, 0xFF16181Cu, 1.0f, kRasterCopy);
  RasterFillRect(&bmp, plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top, 0xFF1E2127u, 1.0f,
                 kRasterCopy);

  RasterFontHandle handle = RasterCreateFontHandle({"Arial", 13, 0, 0, 400, false, kRasterFontAntialiased});
  RasterFontHandle titleHandle = RasterCreateFontHandle({"Arial", 16, 0, 0, 700, false, kRasterFontAntialiased});
  RasterCachedFont font, titleFont;
  if (handle) font.SetFromFontHandle(handle, kRasterFontOwnsHandle);
  if (titleHandle) titleFont.SetFromFontHandle(titleHandle, kRasterFontOwnsHandle);
  font.SetTextColor(0xFFA8AEB8u);
  titleFont.SetTextColor(0xFFE8EAEEu);
  DrawGrid(bmp, font, plot);

  const std::string name = request.presetTitle.empty() ? "" : " \xE2\x80\x93 " + request.presetTitle;
  Text(titleFont, bmp, "quivorant" + name + " \xC2\xB7 " + FormatHz(request.sampleRateHz), plot.left, 8,
       plot.right - plot.left, 22, 0);
  std::string line = SettingsLine(settings, request.sampleRateHz);
  if (!lowest.empty()) line += "; shaded: its sweep, " + DescribeSweep(settings);
  Text(font, bmp, line, plot.left, 32, plot.right - plot.left, 18, 0);

  for (size_t i = 1; i < lowest.size(); ++i) {
    // One column per pixel between the sweep's lowest and highest level.
    const int x0 = static_cast<int>(std::lround(plot.X(lowest[i - 1].hz)));
    const int x1 = static_cast<int>(std::lround(plot.X(lowest[i].hz)));
    for (int x = x0; x < x1; ++x) {
      const float top = plot.Y(highest[i].db), bottom = plot.Y(lowest[i].db);
      RasterFillRect(&bmp, x, static_cast<int>(top), 1, std::max(1, static_cast<int>(bottom - top)), 0xFF4FD1C5u, 0.22f,
                     kRasterCopy);
    }
  }
  std::vector<float> xs, ys;
  for (const auto& p : curve) {
    xs.push_back(plot.X(p.hz));
    ys.push_back(plot.Y(p.db));
  }
  RasterPolyline(&bmp, xs.data(), ys.data(), static_cast<int>(xs.size()), 2.0f, 0xFF4FD1C5u, 1.0f);
  return WriteBitmapPng(bmp, pngPath, error);
}

bool DescribeResponse(HostedPlugin& plugin, const ResponseRequest& request, std::FILE* out, std::string* error) {
  FilterSettings settings;
  ResponseCurve curve;
  if (!ReadFilterSettings(plugin, &settings, error) || !MeasureResponse(plugin, request.sampleRateHz, &curve, error)) {
    return false;
  }
  std::fprintf(out, "%s: %s; LFO %s\n", SettingsLine(settings, request.sampleRateHz).c_str(),
               DescribeCurve(settings, curve).c_str(), DescribeLfo(settings, request.tempoBpm).c_str());
  return true;
}

}  // namespace quivorant::render
