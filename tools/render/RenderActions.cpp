#include "tools/render/RenderActions.h"

#include <filesystem>
#include <system_error>

#include "tools/render/AudioFile.h"
#include "tools/render/PluginSettings.h"

namespace quivorant::render {

void PrintPluginListing(HostedPlugin& plugin, std::FILE* out) {
  std::fprintf(out, "Parameters:\n");
  for (int i = 0; i < plugin.ParamCount(); ++i) {
    const HostedParamInfo info = plugin.ParamInfo(i);
    std::fprintf(out, "  %d  %-18s %g to %g%s%s, default %s%s%s\n", i, info.name.c_str(), info.minPlain, info.maxPlain,
                 info.unit.empty() ? "" : " ", info.unit.c_str(),
                 plugin.FormatNormalized(i, info.defaultNormalized).c_str(), info.unit.empty() ? "" : " ",
                 info.unit.c_str());
    if (!info.valueTexts.empty()) {
      std::fprintf(out, "      values:");
      for (size_t k = 0; k < info.valueTexts.size(); ++k) {
        std::fprintf(out, "%s \"%s\"", k ? "," : "", info.valueTexts[k].c_str());
      }
      std::fprintf(out, "\n");
    }
  }
  std::fprintf(out, "Presets:\n");
  const auto names = plugin.PresetNames();
  for (size_t i = 0; i < names.size(); ++i) {
    std::fprintf(out, "  %2zu  %s%s\n", i, names[i].c_str(),
                 IsFactoryPreset(names[i], static_cast<int>(i)) ? "" : "  (not a factory preset)");
  }
}

bool SaveRender(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype, Level* level,
                std::string* error) {
  if (!WriteAudioFile(path, audio, subtype, error)) return false;
  *level = MeasureLevel(audio);
  const bool pcm = subtype == SampleSubtype::kPcm16 || subtype == SampleSubtype::kPcm24;
  if (pcm && level->overFullScale > 0) {
    std::fprintf(stderr, "quivorant-render: %zu samples clipped in \"%s\" (peak %+.1f dBFS); %s\n",
                 level->overFullScale, path.c_str(), level->peakDbfs, "--subtype float keeps them");
  }
  return true;
}

bool RenderAllPresets(HostedPlugin& plugin, const AudioBuffer& input, const RenderSettings& settings,
                      const RenderOptions& options, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  if (!std::filesystem::is_directory(options.outDir, ec)) {
    *error = "cannot create the output folder \"" + options.outDir + "\"";
    return false;
  }
  const auto names = plugin.PresetNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const int index = static_cast<int>(i);
    if (!IsFactoryPreset(names[i], index)) continue;
    if (!plugin.SelectPreset(index)) {
      *error = "the plug-in refused preset " + std::to_string(index) + " \"" + names[i] + "\"";
      return false;
    }
    AudioBuffer output;
    if (!RenderThrough(plugin, input, settings, &output, error, names[i])) return false;
    const std::string path =
        (std::filesystem::path(options.outDir) / (PresetFileStem(index, names[i]) + ".wav")).string();
    Level level{};
    if (!SaveRender(path, output, options.subtype, &level, error)) return false;
    std::fprintf(WordsStream(options), "%2d  %-20s peak %6.1f dBFS  RMS %6.1f dBFS  %s\n", index, names[i].c_str(),
                 level.peakDbfs, level.rmsDbfs, path.c_str());
  }
  return true;
}

}  // namespace quivorant::render
