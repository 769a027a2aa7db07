#include "plug/detail/NumberText.h"

#include <charconv>
#include <cstring>
#include <system_error>

#include "plug/detail/TextCopy.h"

namespace quivorant::detail {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

const char* ScanNumber(const char* text, double* value) {
  if (!text) return nullptr;
  const char* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  // from_chars takes no sign of its own beyond '-', so the sign is applied here.
  if (*p == '+' || *p == '-') return nullptr;
  double v = 0.0;
  const char* end = p + std::strlen(p);
  const std::from_chars_result r = std::from_chars(p, end, v, std::chars_format::general);
  if (r.ec == std::errc::invalid_argument) return nullptr;
  // Out of range: from_chars leaves v untouched; strtod gives +-HUGE_VAL or 0.
  if (r.ec == std::errc::result_out_of_range) {
    // Decide overflow against underflow from the exponent's sign.
    const char* e = p;
    while (e < r.ptr && *e != 'e' && *e != 'E') ++e;
    const bool underflow = (e < r.ptr && e + 1 < r.ptr && e[1] == '-');
    v = underflow ? 0.0 : __builtin_huge_val();
  }
  if (value) *value = negative ? -v : v;
  return r.ptr;
}

double ParseLeadingNumber(const char* text) {
  double v = 0.0;
  return ScanNumber(text, &v) ? v : 0.0;
}

void FormatFixed(double x, int decimals, char* out, std::size_t capacity) {
  if (!out || capacity == 0) return;
  char buf[400];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) {
    CopyText(out, capacity, "");
    return;
  }
  *r.ptr = '\0';
  CopyText(out, capacity, buf);
}

void FormatInteger(long long x, char* out, std::size_t capacity) {
  if (!out || capacity == 0) return;
  char buf[32];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf - 1, x);
  *r.ptr = '\0';
  CopyText(out, capacity, buf);
}

}  // namespace quivorant::detail
