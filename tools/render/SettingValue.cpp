#include "tools/render/SettingValue.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace quivorant::render {

namespace {

std::string Lower(const std::string& s) {
  std::string out;
  for (unsigned char c : s) out += static_cast<char>(std::tolower(c));
  return out;
}

// Lower case, blanks trimmed and each run of blanks squeezed to one space.
std::string Folded(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (std::isspace(c)) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += static_cast<char>(std::tolower(c));
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool StartsAWord(const std::string& text, const std::string& typed) {
  for (size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at + 1)) {
    if (StartsWith(text.substr(at + 1), typed)) return true;
  }
  return false;
}

// "bp" in "bandpass": the typed letters in order, the first one the text's first.
bool IsShortForm(const std::string& text, const std::string& typed) {
  if (typed.empty() || text.empty() || typed[0] != text[0] || typed.find(' ') != std::string::npos) return false;
  size_t at = 0;
  for (char c : typed) {
    at = text.find(c, at);
    if (at == std::string::npos) return false;
    ++at;
  }
  return true;
}

std::string Joined(const std::vector<std::string>& texts, const std::vector<int>& which) {
  std::string out;
  for (int i : which) out += (out.empty() ? "" : ", ") + texts[static_cast<size_t>(i)];
  return out;
}

// The index of the display text that `typed` names: the first rule that matches anything
// decides; two or more matches under it are ambiguous. -1 with *error when none decides.
int MatchDisplayText(const HostedParamInfo& info, const std::string& typed, std::string* error) {
  const std::string wanted = Folded(typed);
  const std::function<bool(const std::string&)> rules[] = {
      [&](const std::string& text) { return StartsWith(text, wanted); },
      [&](const std::string& text) { return StartsAWord(text, wanted); },
      [&](const std::string& text) { return IsShortForm(text, wanted); },
  };
  for (const auto& rule : rules) {
    std::vector<int> matches;
    for (size_t i = 0; i < info.valueTexts.size(); ++i) {
      if (rule(Folded(info.valueTexts[i]))) matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1) return matches[0];
    if (matches.size() > 1) {
      *error = "\"" + typed + "\" could be any of " + Joined(info.valueTexts, matches) + " for \"" + info.name + "\"";
      return -1;
    }
  }
  std::vector<int> all;
  for (size_t i = 0; i < info.valueTexts.size(); ++i) all.push_back(static_cast<int>(i));
  *error = "\"" + typed + "\" is neither a number nor a display text of \"" + info.name + "\" (" +
           Joined(info.valueTexts, all) + ")";
  return -1;
}

int ExactDisplayText(const HostedParamInfo& info, const std::string& typed) {
  for (size_t i = 0; i < info.valueTexts.size(); ++i) {
    if (Folded(info.valueTexts[i]) == Folded(typed)) return static_cast<int>(i);
  }
  return -1;
}

// A number with the parameter's unit and "k" for thousands allowed after it.
bool ParseQuantity(const HostedParamInfo& info, std::string text, double* value) {
  const std::string unit = Lower(info.unit);
  if (!unit.empty() && Lower(text).size() >= unit.size() &&
      Lower(text).compare(text.size() - unit.size(), unit.size(), unit) == 0) {
    text.resize(text.size() - unit.size());
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  double scale = 1.0;
  if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) {
    text.pop_back();
    scale = 1000.0;
  }
  if (!ParseNumber(text, value)) return false;
  *value *= scale;
  return true;
}

std::string Plain(const HostedParamInfo& info, double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", v);
  std::string out = text;
  const size_t index = static_cast<size_t>(v - info.minPlain);
  if (!info.valueTexts.empty() && index < info.valueTexts.size()) return out + " (" + info.valueTexts[index] + ")";
  return info.unit.empty() ? out : out + " " + info.unit;
}

}  // namespace

bool ParseSettingValue(const HostedParamInfo& info, const std::string& text, double* plain, std::string* error) {
  const int exact = ExactDisplayText(info, text);
  if (exact >= 0) {
    *plain = info.minPlain + exact;
    return true;
  }
  double v = 0.0;
  if (!ParseQuantity(info, text, &v)) {
    if (info.valueTexts.empty()) {
      *error = "\"" + text + "\" is neither a number nor a display text of \"" + info.name + "\"";
      return false;
    }
    const int index = MatchDisplayText(info, text, error);
    if (index < 0) return false;
    *plain = info.minPlain + index;
    return true;
  }
  if (v < info.minPlain || v > info.maxPlain) {
    *error = "\"" + info.name + "\" = " + text + " is out of range (" + Plain(info, info.minPlain) + " to " +
             Plain(info, info.maxPlain) + ")";
    return false;
  }
  if (info.stepCount > 0 && v != std::floor(v)) {
    *error = "\"" + info.name + "\" takes whole values; " + text + " lies between " + Plain(info, std::floor(v)) +
             " and " + Plain(info, std::ceil(v));
    return false;
  }
  *plain = v;
  return true;
}

}  // namespace quivorant::render
