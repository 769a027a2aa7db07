// The filter's magnitude response, measured through the plug-in: an impulse goes in with the
// host reporting no tempo (so the LFO holds), and the response is evaluated at log-spaced
// frequencies by direct summation. Drawn with our own raster layer.
#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>
#include <cstdio>
#include <vector>

#include "raster/RasterCachedFont.h"
#include "raster/RasterFill.h"
#include "raster/RasterLine.h"
#include "raster/RasterMemBitmap.h"
#include "tools/render/PluginSettings.h"
#include "tools/render/PngFile.h"
#include "tools/render/RenderActions.h"

namespace quivorant::render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;

struct ResponsePoint {
  double hz;
  double db;
};

std::vector<ResponsePoint> MeasureResponse(HostedPlugin& plugin, double sampleRateHz, std::string* error) {
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
  if (!RenderThrough(plugin, impulse, settings, &response, error, "measuring")) return {};
  const std::vector<double>& h = response.channels[0];
  std::vector<ResponsePoint> points;
  const double top = std::min(kHighHz, 0.49 * sampleRateHz);
  constexpr int kPoints = 480;
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
    points.push_back({hz, 20.0 * std::log10(std::max(std::abs(value), 1e-12))});
  }
  return points;
}

// Where the curve goes inside the picture, and how frequency and level map onto it.
struct PlotArea {
  int left, top, right, bottom;
  double dbTop, dbBottom;

  int X(double hz) const {
    return left + static_cast<int>(std::lround(std::log(hz / kLowHz) / std::log(kHighHz / kLowHz) * (right - left)));
  }
  float Y(double db) const { return static_cast<float>(top + (dbTop - db) / (dbTop - dbBottom) * (bottom - top)); }
};

void Text(RasterCachedFont& font, RasterBitmap& bitmap, const std::string& text, int x, int y, int w, int h, int flags) {
  font.DrawText(&bitmap, text.c_str(), -1, RasterRect{x, y, x + w, y + h}, flags);
}

std::string SettingsTitle(HostedPlugin& plugin) {
  std::string title = "quivorant";
  // The four settings that shape the curve, each with a word for what it is.
  const std::pair<const char*, const char*> shown[] = {
      {"Filter Type", ""}, {"Filter Freq", ""}, {"Filter Bandwidth", "bandwidth "}, {"Filter Mix", "mix "}};
  for (const auto& [name, prefix] : shown) {
    const int index = FindParam(plugin, name);
    if (index < 0) continue;
    const HostedParamInfo info = plugin.ParamInfo(index);
    std::string value = plugin.FormatNormalized(index, plugin.GetNormalized(index));
    if (!info.unit.empty()) value += " " + info.unit;
    title += std::string(title == "quivorant" ? " - " : ", ") + prefix + value;
  }
  return title;
}

}  // namespace

bool PlotResponse(HostedPlugin& plugin, double sampleRateHz, const std::string& pngPath, std::string* error) {
  const std::vector<ResponsePoint> points = MeasureResponse(plugin, sampleRateHz, error);
  if (points.empty()) return false;

  constexpr int kWidth = 720, kHeight = 400;
  RasterMemBitmap bmp(kWidth, kHeight, 4);
  double peak = -1e9;
  for (const auto& p : points) peak = std::max(peak, p.db);
  // Room above the highest point; seven 12 dB divisions below.
  const double dbTop = std::max(12.0, 6.0 * std::ceil((peak + 3.0) / 6.0));
  const PlotArea plot{64, 44, kWidth - 20, kHeight - 46, dbTop, dbTop - 84.0};
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

  const RasterPixel grid = 0xFF2F343Du, gridStrong = 0xFF434A56u;
  const double marks[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
  const char* labels[] = {"20", "50", "100", "200", "500", "1k", "2k", "5k", "10k", "20k"};
  for (int i = 0; i < 10; ++i) {
    const int x = plot.X(marks[i]);
    const bool decade = marks[i] == 100 || marks[i] == 1000 || marks[i] == 10000;
    RasterLine(&bmp, x, plot.top, x, plot.bottom, decade ? gridStrong : grid, 1.0f, kRasterCopy, false);
    Text(font, bmp, labels[i], x - 20, plot.bottom + 6, 40, 16, kRasterTextCenter);
  }
  for (double db = plot.dbTop; db >= plot.dbBottom - 0.5; db -= 12.0) {
    const int y = static_cast<int>(std::lround(plot.Y(db)));
    RasterLine(&bmp, plot.left, y, plot.right, y, std::fabs(db) < 0.5 ? gridStrong : grid, 1.0f, kRasterCopy, false);
    char label[16];
    std::snprintf(label, sizeof label, "%+.0f", db);
    Text(font, bmp, std::fabs(db) < 0.5 ? "0" : label, 8, y - 8, plot.left - 14, 16, kRasterTextRight);
  }
  Text(font, bmp, "Frequency (Hz)", plot.left, plot.bottom + 24, plot.right - plot.left, 16, kRasterTextCenter);
  Text(font, bmp, "dB", 8, plot.top - 22, plot.left - 14, 16, kRasterTextRight);
  Text(titleFont, bmp, SettingsTitle(plugin), plot.left, 12, plot.right - plot.left, 22, 0);

  for (size_t i = 1; i < points.size(); ++i) {
    const double a = std::clamp(points[i - 1].db, plot.dbBottom, plot.dbTop);
    const double b = std::clamp(points[i].db, plot.dbBottom, plot.dbTop);
    const float x0 = static_cast<float>(plot.X(points[i - 1].hz)), x1 = static_cast<float>(plot.X(points[i].hz));
    RasterLineF(&bmp, x0, plot.Y(a), x1, plot.Y(b), 0xFF4FD1C5u, 1.0f, kRasterCopy, true);
    RasterLineF(&bmp, x0, plot.Y(a) + 1.0f, x1, plot.Y(b) + 1.0f, 0xFF4FD1C5u, 0.45f, kRasterCopy, true);
  }
  return WriteBitmapPng(bmp, pngPath, error);
}

}  // namespace quivorant::render
