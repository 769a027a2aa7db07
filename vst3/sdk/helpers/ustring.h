// Copies between the 8-bit texts of our code (UTF-8 or ASCII) and the interface's
// NUL-terminated UTF-16 buffers. Every copy is bounded by the destination's capacity in
// code units and always terminates it (capacity 0 writes nothing).
#pragma once

#include "vst3/sdk/interfaces/funknown.h"

namespace Steinberg {

// The widest text buffer the interface hands over. A host text without a terminator in its
// first kTextUnitsMax units is read as those units and no further.
inline constexpr int32 kTextUnitsMax = 128;

// Length of a NUL-terminated UTF-16 text, reading at most `maxUnits` units.
int32 strlen16(const char16* text, int32 maxUnits = 0x7FFFFFFF);

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
void str8ToStr16(char16* dst, const char8* src, int32 dstUnits);

// UTF-16 to UTF-8, bounded by `dstBytes`; never splits a character.
void str16ToStr8(char8* dst, const char16* src, int32 dstBytes);

void strncpy8(char8* dst, const char8* src, int32 dstBytes);
void strncpy16(char16* dst, const char16* src, int32 dstUnits);

template <int32 N>
void str8ToStr16(char16 (&dst)[N], const char8* src) {
  str8ToStr16(dst, src, N);
}
template <int32 N>
void strncpy8(char8 (&dst)[N], const char8* src) {
  strncpy8(dst, src, N);
}

}  // namespace Steinberg

namespace Steinberg {
// Reads a decimal number at the start of a UTF-16 text (leading blanks and a '+' allowed),
// independent of the process locale. Answers false when the text holds no number.
bool parseDouble16(const char16* text, double& value);

// Writes "%.*f" of value into a UTF-16 buffer of `dstUnits` units.
void printDouble16(char16* dst, int32 dstUnits, double value, int32 precision);
}  // namespace Steinberg
