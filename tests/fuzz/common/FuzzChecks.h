// Checks shared by the fuzz targets that drive a whole plug-in instance. A failed check prints
// what broke and aborts, which libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quivorant {
class IEffectBase;
class IParamRecord;
}  // namespace quivorant

namespace quivorant::test {

void Require(bool ok, const char* what);

// Every parameter's plain value, in index order.
std::vector<double> ParamValues(const quivorant::IEffectBase& effect);

// Every parameter is finite and inside its range.
void RequireParamsInRange(const quivorant::IEffectBase& effect);

// What a host's state restore from `bytes` at `start` must leave, given the values before: a
// whole state sets every parameter (NaN as 0, clamped to the range); a state cut short, or a
// negative start, changes nothing.
std::vector<double> ValuesAfterStateRead(const quivorant::IEffectBase& effect, const std::vector<double>& before,
                                         const std::uint8_t* bytes, std::size_t size, long start);

// Exact equality (both sides are copies of stored doubles).
void RequireValues(const quivorant::IEffectBase& effect, const std::vector<double>& expected, const char* what);

// An independent reading of a typed text, for the texts whose meaning is beyond doubt: true when
// the text is a plain decimal number (digits, '.', signs, exponent and spaces only, at most 100
// characters) that the C library reads as a finite number (a text that begins with no number
// reads as 0); `value` is then that number.
bool PlainDecimal(const std::string& text, double& value);

// A plain decimal that is the whole text: the number is followed by blanks only.
bool WholeDecimal(const std::string& text, double& value);

// The integer value in the record's range whose display text equals `text` exactly.
bool DisplayTextValue(const quivorant::IParamRecord& param, const char* text, int& value);

// What a text must leave in the parameter it was stored into: a display text its entry's value,
// a plain decimal its number clamped to the range, within `slack`; other texts are not judged.
void RequireStoredAsTyped(const quivorant::IParamRecord& param, const std::string& text, double slack);

}  // namespace quivorant::test
