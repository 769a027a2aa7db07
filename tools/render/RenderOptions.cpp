#include "tools/render/RenderOptions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <locale>

namespace quivorant::render {

bool ParseNumber(const std::string& text, double* value) {
  // istringstream with the classic locale reads "2000" and "0.5" the same under any user locale.
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double v = 0.0;
  in >> v;
  if (in.fail()) return false;
  in >> std::ws;
  if (!in.eof()) return false;
  if (!std::isfinite(v)) return false;
  *value = v;
  return true;
}

const char* RenderUsage() {
  return "usage: quivorant-render [options]\n"
         "  -i, --input FILE         WAV, AIFF or FLAC (mono or stereo); default: the demo loop\n"
         "  -o, --output FILE        rendered audio (WAV unless the name ends in .aif/.aiff/.flac)\n"
         "      --plugin PATH        quivorant plug-in to load (default: the one built beside the tool)\n"
         "      --format vst3|vst2   plug-in interface to load it through (default vst3)\n"
         "      --preset NAME|INDEX  factory preset to select first\n"
         "      --set \"Name=Value\"   parameter value as display text or plain value (repeatable)\n"
         "      --tempo BPM          host tempo, transport playing (default 120)\n"
         "      --sample-rate HZ     sample rate of the demo loop (default 44100)\n"
         "      --block N            frames per process call (default 512)\n"
         "      --precision 32|64    sample precision of the processing path (default 32)\n"
         "      --subtype pcm16|pcm24|float|double   output sample format (default float)\n"
         "      --list               list the plug-in's parameters and presets\n"
         "      --all-presets --out-dir DIR   render every factory preset into DIR\n"
         "      --response-png FILE  plot the filter's magnitude response at the chosen settings\n"
         "      --editor-png FILE    picture of the editor at the chosen settings\n"
         "  -h, --help               this text\n";
}

namespace {

std::string Missing(const std::string& option) { return "option " + option + " needs a value"; }

bool ParsePositiveInt(const std::string& text, int* value) {
  double v = 0.0;
  if (!ParseNumber(text, &v) || v != std::floor(v) || v < 1.0 || v > 1 << 24) return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace

std::string ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options) {
  RenderOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "-h" || arg == "--help") {
      o.showHelp = true;
    } else if (arg == "--list") {
      o.listOnly = true;
    } else if (arg == "--all-presets") {
      o.allPresets = true;
    } else if (arg == "-i" || arg == "--input") {
      if (!value(&o.inputPath)) return Missing(arg);
    } else if (arg == "-o" || arg == "--output") {
      if (!value(&o.outputPath)) return Missing(arg);
    } else if (arg == "--plugin") {
      if (!value(&o.pluginPath)) return Missing(arg);
    } else if (arg == "--out-dir") {
      if (!value(&o.outDir)) return Missing(arg);
    } else if (arg == "--response-png") {
      if (!value(&o.responsePngPath)) return Missing(arg);
    } else if (arg == "--editor-png") {
      if (!value(&o.editorPngPath)) return Missing(arg);
    } else if (arg == "--preset") {
      if (!value(&o.preset)) return Missing(arg);
    } else if (arg == "--format") {
      if (!value(&v)) return Missing(arg);
      if (v == "vst3") {
        o.format = PluginFormat::kVst3;
      } else if (v == "vst2") {
        o.format = PluginFormat::kVst2;
      } else {
        return "unknown plug-in format \"" + v + "\" (vst3 or vst2)";
      }
    } else if (arg == "--set") {
      if (!value(&v)) return Missing(arg);
      const size_t eq = v.find('=');
      if (eq == std::string::npos || eq == 0) return "--set wants \"Name=Value\", got \"" + v + "\"";
      o.settings.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else if (arg == "--tempo") {
      if (!value(&v)) return Missing(arg);
      if (!ParseNumber(v, &o.tempoBpm) || o.tempoBpm <= 0.0 || o.tempoBpm > 999.0) {
        return "tempo \"" + v + "\" is not a number of beats per minute above 0 and up to 999";
      }
    } else if (arg == "--sample-rate") {
      if (!value(&v)) return Missing(arg);
      if (!ParseNumber(v, &o.sampleRateHz) || o.sampleRateHz < 1.0 || o.sampleRateHz > 768000.0) {
        return "sample rate \"" + v + "\" is not a positive number of hertz (up to 768000)";
      }
    } else if (arg == "--block") {
      if (!value(&v)) return Missing(arg);
      if (!ParsePositiveInt(v, &o.blockFrames)) return "block size \"" + v + "\" is not a positive whole number";
    } else if (arg == "--precision") {
      if (!value(&v)) return Missing(arg);
      if (v == "32") {
        o.precisionBits = 32;
      } else if (v == "64") {
        o.precisionBits = 64;
      } else {
        return "precision \"" + v + "\" is not 32 or 64";
      }
    } else if (arg == "--subtype") {
      if (!value(&v)) return Missing(arg);
      if (v == "pcm16") {
        o.subtype = SampleSubtype::kPcm16;
      } else if (v == "pcm24") {
        o.subtype = SampleSubtype::kPcm24;
      } else if (v == "float") {
        o.subtype = SampleSubtype::kFloat;
      } else if (v == "double") {
        o.subtype = SampleSubtype::kDouble;
      } else {
        return "output subtype \"" + v + "\" is not pcm16, pcm24, float or double";
      }
    } else {
      return "unknown option \"" + arg + "\" (see --help)";
    }
  }
  if (o.allPresets && o.outDir.empty()) return "--all-presets needs --out-dir DIR";
  *options = o;
  return std::string();
}

}  // namespace quivorant::render
