#include "tools/render/PluginSettings.h"

#include "tools/render/SettingValue.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace quivorant::render {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

template <typename Names>
int FindName(const Names& names, const std::string& wanted) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == wanted) return static_cast<int>(i);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameIgnoringCase(names[i], wanted)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int FindParam(HostedPlugin& plugin, const std::string& name) {
  std::vector<std::string> names;
  for (int i = 0; i < plugin.ParamCount(); ++i) names.push_back(plugin.ParamInfo(i).name);
  return FindName(names, name);
}

bool ApplySetting(HostedPlugin& plugin, const std::string& name, const std::string& valueText, std::string* error) {
  const int index = FindParam(plugin, name);
  if (index < 0) {
    *error = "unknown parameter \"" + name + "\" (see --list)";
    return false;
  }
  const HostedParamInfo info = plugin.ParamInfo(index);
  double plain = 0.0;
  if (!ParseSettingValue(info, valueText, &plain, error)) return false;
  if (!info.valueTexts.empty()) {
    // A list value is its position in the list; the plug-in spreads the positions evenly.
    plugin.SetNormalized(index, info.stepCount > 0 ? (plain - info.minPlain) / info.stepCount : 0.0);
  } else {
    plugin.SetNormalized(index, plugin.PlainToNormalized(index, plain));
  }
  return true;
}

int FindPreset(HostedPlugin& plugin, const std::string& nameOrIndex, std::string* error) {
  const std::vector<std::string> names = plugin.PresetNames();
  double number = 0.0;
  if (ParseNumber(nameOrIndex, &number)) {
    if (number == std::floor(number) && number >= 0.0 && number < static_cast<double>(names.size())) {
      return static_cast<int>(number);
    }
    *error = "preset index " + nameOrIndex + " is out of range (0 to " + std::to_string(names.size() - 1) + ")";
    return -1;
  }
  const int index = FindName(names, nameOrIndex);
  if (index < 0) *error = "unknown preset \"" + nameOrIndex + "\" (see --list)";
  return index;
}

bool IsFactoryPreset(const std::string& name, int index) {
  if (index == 0 || name.empty()) return false;
  char unfilled[32];
  std::snprintf(unfilled, sizeof unfilled, "- %d -", index + 1);
  return name != unfilled;
}

std::string PresetFileStem(int index, const std::string& name) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d-", index);
  std::string stem = prefix;
  bool lastWasDash = true;
  for (unsigned char c : name) {
    if (std::isalnum(c)) {
      stem += static_cast<char>(c);
      lastWasDash = false;
    } else if (!lastWasDash) {
      stem += '-';
      lastWasDash = true;
    }
  }
  while (!stem.empty() && stem.back() == '-') stem.pop_back();
  return stem;
}

}  // namespace quivorant::render
