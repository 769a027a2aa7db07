#include "tests/fuzz/common/FuzzChecks.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plug/IEffectBase.h"

namespace quivorant::test {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

std::vector<double> ParamValues(const quivorant::IEffectBase& effect) {
  std::vector<double> values;
  for (int i = 0; i < effect.ParamCount(); ++i) values.push_back(effect.GetParam(i)->value);
  return values;
}

void RequireParamsInRange(const quivorant::IEffectBase& effect) {
  for (int i = 0; i < effect.ParamCount(); ++i) {
    const quivorant::IParamRecord* p = effect.GetParam(i);
    if (!(std::isfinite(p->value) && p->value >= p->min && p->value <= p->max)) {
      std::fprintf(stderr, "parameter %d holds %g outside [%g, %g]\n", i, p->CurrentValue(), p->min, p->max);
      std::abort();
    }
  }
}

std::vector<double> ValuesAfterStateRead(const quivorant::IEffectBase& effect, const std::vector<double>& before,
                                         const std::uint8_t* bytes, std::size_t size, long start) {
  std::vector<double> expected = before;
  const std::size_t needed = 8 * expected.size();
  if (start < 0 || static_cast<std::size_t>(start) > size || size - static_cast<std::size_t>(start) < needed)
    return expected;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    double x = 0.0;
    std::memcpy(&x, bytes + static_cast<std::size_t>(start) + 8 * i, 8);  // little-endian, like this machine
    if (std::isnan(x)) x = 0.0;
    const quivorant::IParamRecord* p = effect.GetParam(static_cast<int>(i));
    expected[i] = x < p->min ? p->min : (x > p->max ? p->max : x);
  }
  return expected;
}

void RequireValues(const quivorant::IEffectBase& effect, const std::vector<double>& expected, const char* what) {
  const std::vector<double> now = ParamValues(effect);
  for (std::size_t i = 0; i < now.size(); ++i) {
    // NaN never counts as equal; the range check reports those.
    if (now[i] != expected[i]) {
      std::fprintf(stderr, "%s: parameter %zu is %.17g, expected %.17g\n", what, i, now[i], expected[i]);
      std::abort();
    }
  }
}

bool PlainDecimal(const std::string& text, double& value) {
  if (text.size() > 100) return false;
  for (char c : text) {
    const bool plain = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E' || c == ' ';
    if (!plain) return false;
  }
  errno = 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) value = 0.0;
  return errno == 0 && std::isfinite(value);
}

bool WholeDecimal(const std::string& text, double& value) {
  if (!PlainDecimal(text, value)) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return false;
  while (*end == ' ') ++end;
  return *end == '\0';
}

bool DisplayTextValue(const quivorant::IParamRecord& param, const char* text, int& value) {
  if (param.DisplayTextCount() == 0) return false;
  for (int v = static_cast<int>(param.min); v <= static_cast<int>(param.max); ++v) {
    if (std::strcmp(param.DisplayTextFor(v), text) == 0) {
      value = v;
      return true;
    }
  }
  return false;
}

void RequireStoredAsTyped(const quivorant::IParamRecord& param, const std::string& text, double slack) {
  int entry = 0;
  double number = 0.0;
  if (DisplayTextValue(param, text.c_str(), entry)) {
    Require(param.value == entry, "a display text stores its entry's value");
  } else if (PlainDecimal(text, number)) {
    const double typed = std::fmin(std::fmax(number, param.min), param.max);
    Require(std::fabs(param.value - typed) <= slack, "a decimal text stores its number");
  }
}

}  // namespace quivorant::test
