#include "tools/render/RenderOptions.h"

#include <cmath>
#include <functional>
#include <locale>
#include <set>
#include <sstream>

#include "tools/render/AudioFile.h"

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

std::string RenderUsage() {
  const std::string formats = AudioFormatsText();
  return "usage: quivorant-render [options]    (--name=value works for every long option)\n"
         "  -i, --input FILE         " +
         formats +
         " (mono or stereo); default: the demo loop\n"
         "  -o, --output FILE        rendered audio (WAV unless the name ends in .aif/.aiff" +
         (formats.find("FLAC") != std::string::npos ? "/.flac" : "") +
         ");\n"
         "                           \"-\" writes WAV to standard output\n"
         "      --plugin PATH        quivorant plug-in to load (default: searched beside the tool,\n"
         "                           then where plug-ins are installed)\n"
         "      --format vst3|vst2   plug-in interface to load it through (default vst3)\n"
         "      --preset NAME|INDEX  factory preset to select first\n"
         "      --set \"Name=Value\"   parameter value (repeatable): a number, with or without its unit\n"
         "                           and \"k\" for thousands (\"Filter Freq=2k\", \"Filter Mix=50%\"),\n"
         "                           or a display text, any case, or its unambiguous start or short\n"
         "                           form (\"Filter Type=BP\", \"LFO Wave=tri\"); a list parameter's\n"
         "                           number is its index from 0 (\"LFO Rate=2\" is \"1/16D\")\n"
         "      --tempo BPM          host tempo, transport playing (20 to 999, default 120)\n"
         "      --sample-rate HZ     sample rate of the demo loop (8000 to 384000, default 44100)\n"
         "      --block N            frames per process call (1 to 65536, default 512)\n"
         "      --precision 32|64    sample precision of the processing path (default 32)\n"
         "      --subtype pcm16|pcm24|float|double   output sample format (default float; PCM clips)\n"
         "      --list               list the plug-in's parameters and presets (on its own)\n"
         "      --describe           measure the filter at the chosen settings and print one line\n"
         "      --all-presets --out-dir DIR   render every factory preset into DIR\n"
         "      --response-png FILE  plot the filter's magnitude response at the chosen settings\n"
         "      --editor-png FILE    picture of the editor at the chosen settings\n"
         "  -h, --help               this text\n";
}

namespace {

using Apply = std::function<std::string(const std::string& value, RenderOptions& o)>;

struct OptionRule {
  const char* longName;
  const char* shortName;  // or nullptr
  bool takesValue;
  bool repeatable;
  Apply apply;
};

std::string Keep(std::string* field, const std::string& value) {
  *field = value;
  return {};
}

std::string Flag(bool* field) {
  *field = true;
  return {};
}

// A number within [low, high]; `what` names it in the refusal.
std::string Ranged(const std::string& value, double low, double high, bool whole, const char* what, double* out) {
  double v = 0.0;
  if (!ParseNumber(value, &v) || v < low || v > high || (whole && v != std::floor(v))) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << what << " \"" << value << "\" is not " << (whole ? "a whole number" : "a number") << " from " << low
         << " to " << high;
    return text.str();
  }
  *out = v;
  return {};
}

// One word out of a fixed list.
template <typename T>
std::string Choice(const std::string& value, const char* what, std::initializer_list<std::pair<const char*, T>> choices,
                   T* out) {
  std::string names;
  for (const auto& [name, choice] : choices) {
    if (value == name) {
      *out = choice;
      return {};
    }
    names += names.empty() ? name : std::string(", ") + name;
  }
  return std::string(what) + " \"" + value + "\" is not one of " + names;
}

const std::vector<OptionRule>& Options() {
  static const std::vector<OptionRule> options = {
      {"--help", "-h", false, true, [](const std::string&, RenderOptions& o) { return Flag(&o.showHelp); }},
      {"--list", nullptr, false, false, [](const std::string&, RenderOptions& o) { return Flag(&o.listOnly); }},
      {"--describe", nullptr, false, false, [](const std::string&, RenderOptions& o) { return Flag(&o.describe); }},
      {"--all-presets", nullptr, false, false,
       [](const std::string&, RenderOptions& o) { return Flag(&o.allPresets); }},
      {"--input", "-i", true, false, [](const std::string& v, RenderOptions& o) { return Keep(&o.inputPath, v); }},
      {"--output", "-o", true, false, [](const std::string& v, RenderOptions& o) { return Keep(&o.outputPath, v); }},
      {"--plugin", nullptr, true, false, [](const std::string& v, RenderOptions& o) { return Keep(&o.pluginPath, v); }},
      {"--out-dir", nullptr, true, false, [](const std::string& v, RenderOptions& o) { return Keep(&o.outDir, v); }},
      {"--response-png", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) { return Keep(&o.responsePngPath, v); }},
      {"--editor-png", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) { return Keep(&o.editorPngPath, v); }},
      {"--preset", nullptr, true, false, [](const std::string& v, RenderOptions& o) { return Keep(&o.preset, v); }},
      {"--format", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         return Choice(v, "plug-in format", {{"vst3", PluginFormat::kVst3}, {"vst2", PluginFormat::kVst2}}, &o.format);
       }},
      {"--set", nullptr, true, true,
       [](const std::string& v, RenderOptions& o) {
         const size_t eq = v.find('=');
         if (eq == std::string::npos || eq == 0) return "--set wants \"Name=Value\", got \"" + v + "\"";
         o.settings.emplace_back(v.substr(0, eq), v.substr(eq + 1));
         return std::string();
       }},
      {"--tempo", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         return Ranged(v, kMinTempoBpm, kMaxTempoBpm, false, "tempo", &o.tempoBpm);
       }},
      {"--sample-rate", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         return Ranged(v, kMinSampleRateHz, kMaxSampleRateHz, false, "sample rate", &o.sampleRateHz);
       }},
      {"--block", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         double frames = 0.0;
         std::string error = Ranged(v, 1, kMaxBlockFrames, true, "block size", &frames);
         o.blockFrames = static_cast<int>(frames);
         return error;
       }},
      {"--precision", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         return Choice(v, "precision", {{"32", 32}, {"64", 64}}, &o.precisionBits);
       }},
      {"--subtype", nullptr, true, false,
       [](const std::string& v, RenderOptions& o) {
         return Choice(v, "output subtype",
                       {{"pcm16", SampleSubtype::kPcm16},
                        {"pcm24", SampleSubtype::kPcm24},
                        {"float", SampleSubtype::kFloat},
                        {"double", SampleSubtype::kDouble}},
                       &o.subtype);
       }},
  };
  return options;
}

const OptionRule* FindOption(const std::string& name) {
  for (const OptionRule& option : Options()) {
    if (name == option.longName || (option.shortName && name == option.shortName)) return &option;
  }
  return nullptr;
}

int StandardOutputCount(const RenderOptions& o) {
  return (o.outputPath == kStandardOutputPath) + (o.responsePngPath == kStandardOutputPath) +
         (o.editorPngPath == kStandardOutputPath);
}

// Checks between options, once all are read.
std::string CheckCombination(const RenderOptions& o, const std::set<std::string>& given) {
  if (o.listOnly) {
    for (const std::string& name : given) {
      if (name != "--list" && name != "--plugin" && name != "--format" && name != "--help") {
        return "--list only lists the plug-in; run it without " + name;
      }
    }
  }
  if (given.count("--sample-rate") && given.count("--input")) {
    return "--sample-rate sets the demo loop's rate; an input file plays at its own rate";
  }
  if (o.allPresets && o.outDir.empty()) return "--all-presets needs --out-dir DIR";
  if (StandardOutputCount(o) > 1) return "only one output can go to standard output (\"-\")";
  return {};
}

}  // namespace

bool WritesToStandardOutput(const RenderOptions& options) { return StandardOutputCount(options) > 0; }

std::FILE* WordsStream(const RenderOptions& options) { return WritesToStandardOutput(options) ? stderr : stdout; }

std::string ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options) {
  RenderOptions o;
  std::set<std::string> given;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool inlineValue = false;
    const size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg.resize(eq);
      inlineValue = true;
    }
    const OptionRule* option = FindOption(arg);
    if (!option) return "unknown option \"" + arg + "\" (see --help)";
    if (!option->repeatable && given.count(option->longName)) return "option " + arg + " is given more than once";
    given.insert(option->longName);
    if (!option->takesValue && inlineValue) return "option " + arg + " takes no value";
    if (option->takesValue && !inlineValue) {
      if (i + 1 >= argc) return "option " + arg + " needs a value";
      value = argv[++i];
    }
    const std::string error = option->apply(value, o);
    if (!error.empty()) return error;
  }
  const std::string error = o.showHelp ? std::string() : CheckCombination(o, given);
  if (!error.empty()) return error;
  *options = o;
  return {};
}

}  // namespace quivorant::render
