// Number <-> text conversions that ignore the process locale: a host running with a comma
// decimal separator must still see "0.50" and have "0.5" understood.
#pragma once

#include <cstddef>

namespace quivorant::detail {

// Space, tab and the line and page breaks, as isspace in the "C" locale.
bool IsBlank(char c);

// Reads a decimal number at the start of `text` as ParseLeadingNumber does; returns where the
// number ends, or null when no number begins the text (then *value is left alone).
const char* ScanNumber(const char* text, double* value);

// Reads a leading decimal number the way strtod does in the "C" locale: leading blanks are
// skipped, reading stops at the first character that does not fit, 0 when no number begins
// the text. A null text gives 0.
double ParseLeadingNumber(const char* text);

// Writes x with `decimals` digits after the point ("%.*f" in the "C" locale), cut to fit.
void FormatFixed(double x, int decimals, char* out, std::size_t capacity);

// Writes an integer ("%lld").
void FormatInteger(long long x, char* out, std::size_t capacity);

}  // namespace quivorant::detail
