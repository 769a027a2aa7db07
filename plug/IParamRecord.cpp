#include "plug/IParamRecord.h"

#include <cmath>
#include <cstring>

#include "plug/detail/NumberText.h"
#include "plug/detail/TextCopy.h"

namespace quivorant {

namespace {

// Halves away from zero, the rounding used for every value shown as an integer; saturates
// instead of overflowing for values no parameter can hold.
long long RoundHalfAway(double x) {
  if (std::isnan(x)) return 0;
  const double r = x >= 0.0 ? x + 0.5 : x - 0.5;
  if (r >= 9.2e18) return 9200000000000000000LL;
  if (r <= -9.2e18) return -9200000000000000000LL;
  return static_cast<long long>(r);
}

// ASCII only: the process locale must not decide what a typed text means.
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `text` equals the first `length` characters of `typed`, ignoring letter case.
bool SameLetters(const char* text, const char* typed, std::size_t length) {
  if (std::strlen(text) != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (LowerAscii(text[i]) != LowerAscii(typed[i])) return false;
  }
  return true;
}

}  // namespace

void IParamRecord::SetupDouble(const char* nameText, double defaultVal, double minVal, double maxVal, double stepVal,
                               const char* labelText) {
  if (kind == kParamNone) kind = kParamDouble;
  detail::CopyText(name, nameText);
  detail::CopyText(label, labelText);
  min = minVal;
  value = defaultVal;
  defaultValue = defaultVal;
  step = stepVal;
  max = maxVal >= minVal + stepVal ? maxVal : minVal + stepVal;

  displayPrecision = 0;
  double x = stepVal;
  while (displayPrecision < kMaxDisplayPrecision && std::isfinite(x) && x != std::floor(x)) {
    ++displayPrecision;
    x *= 10.0;
  }
}

void IParamRecord::SetupInt(const char* nameText, int defaultVal, int minVal, int maxVal, const char* labelText) {
  if (kind == kParamNone) kind = kParamInt;
  SetupDouble(nameText, defaultVal, minVal, maxVal, 1.0, labelText);
}

void IParamRecord::SetupEnum(const char* nameText, int defaultVal, int count, const char* labelText) {
  if (kind == kParamNone) kind = kParamEnum;
  SetupDouble(nameText, defaultVal, 0.0, static_cast<double>(count) - 1.0, 1.0, labelText);
}

void IParamRecord::SetExponent(double e) {
  if (e != 0.0 && !std::isnan(e)) exponent = e;
}

void IParamRecord::AddDisplayText(int val, const char* text) {
  DisplayTextEntry entry;
  entry.value = val;
  detail::CopyText(entry.text, text);
  displayTexts.push_back(entry);
}

void IParamRecord::SetGroup(const char* groupText) { detail::CopyText(group, groupText); }

double IParamRecord::FromNormalized(double normalized) const {
  return min + (max - min) * std::pow(normalized, exponent);
}

double IParamRecord::ToNormalized(double plain) const {
  const double range = max - min;
  // A record whose range collapsed (a zero step) has only one value.
  if (!(range > 0.0)) return 0.0;
  double p = plain;
  if (std::isnan(p) || p < min) p = min;
  if (p > max) p = max;
  return std::pow((p - min) / range, 1.0 / exponent);
}

void IParamRecord::SetFromNormalized(double normalized) {
  // Hosts occasionally send numbers outside 0..1 (or NaN); keep the value inside the range.
  double n = normalized;
  if (!(n > 0.0)) n = 0.0;
  if (n > 1.0) n = 1.0;
  double v = FromNormalized(n);
  if (IsIntegerKind() && step > 0.0) v = std::floor(v / step + 0.5) * step;
  if (std::isnan(v) || v < min) v = min;
  StoreValue(v < max ? v : max);
}

bool IParamRecord::SetPlain(double plain) {
  if (std::isnan(plain)) return false;
  StoreValue(plain < min ? min : (plain > max ? max : plain));
  return true;
}

const char* IParamRecord::DisplayTextFor(int val) const {
  for (const DisplayTextEntry& entry : displayTexts) {
    if (entry.value == val) return entry.text;
  }
  return "";
}

bool IParamRecord::ValueForDisplayText(const char* text, int* outValue) const {
  if (!text) return false;
  for (const DisplayTextEntry& entry : displayTexts) {
    if (std::strcmp(entry.text, text) == 0) {
      if (outValue) *outValue = entry.value;
      return true;
    }
  }
  return false;
}

void IParamRecord::FormatValue(double x, bool isNormalized, char* out, std::size_t capacity) const {
  if (!out || capacity == 0) return;
  if (isNormalized) x = FromNormalized(x);
  const long long r = RoundHalfAway(x);

  if (r >= INT32_MIN && r <= INT32_MAX) {
    const char* text = DisplayTextFor(static_cast<int>(r));
    if (text[0] != '\0') {
      detail::CopyText(out, capacity, text);
      return;
    }
  }
  // Zero never shows as "0.00" or "-0".
  if (x == 0.0) {
    detail::CopyText(out, capacity, "0");
    return;
  }
  if (displayPrecision == 0) {
    detail::FormatInteger(negateDisplay ? -r : r, out, capacity);
  } else {
    detail::FormatFixed(negateDisplay ? -x : x, displayPrecision, out, capacity);
  }
}

double IParamRecord::ParseValueText(const char* text) const {
  if (!text) return 0.0;
  int entryValue = 0;
  if (!displayTexts.empty() && ValueForDisplayText(text, &entryValue)) return entryValue;
  const double v = detail::ParseLeadingNumber(text);
  return negateDisplay ? -v : v;
}

bool IParamRecord::ReadTypedValue(const char* text, double* plain) const {
  if (!text) return false;
  while (detail::IsBlank(*text)) ++text;
  std::size_t length = std::strlen(text);
  while (length > 0 && detail::IsBlank(text[length - 1])) --length;
  for (const DisplayTextEntry& entry : displayTexts) {
    if (SameLetters(entry.text, text, length)) {
      if (plain) *plain = entry.value;
      return true;
    }
  }
  double v = 0.0;
  const char* end = detail::ScanNumber(text, &v);
  // A number too large for a double reads as infinite and is clamped by the caller like any
  // other beyond the range; "nan" is no value at all.
  if (!end || std::isnan(v)) return false;
  // Only up to the trimmed end: the blanks after it are not part of a unit.
  const char* const stop = text + length;
  if (end > stop) return false;
  while (end < stop && detail::IsBlank(*end)) ++end;
  const std::size_t rest = static_cast<std::size_t>(stop - end);
  if (rest != 0 && (label[0] == '\0' || !SameLetters(label, end, rest))) return false;
  if (plain) *plain = negateDisplay ? -v : v;
  return true;
}

}  // namespace quivorant
