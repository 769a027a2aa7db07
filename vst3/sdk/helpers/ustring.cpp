#include "vst3/sdk/helpers/ustring.h"

namespace Steinberg {

int32 strlen16(const char16* text, int32 maxUnits) {
  if (text == nullptr) return 0;
  int32 n = 0;
  while (n < maxUnits && text[n] != 0) ++n;
  return n;
}

namespace {
// Decodes one UTF-8 character at src; advances src. Answers U+FFFD for malformed input.
char32_t decodeUtf8(const unsigned char*& src) {
  const unsigned char lead = *src++;
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  for (int i = 0; i < extra; ++i) {
    if ((*src & 0xC0) != 0x80) return 0xFFFD;  // also stops at the terminating NUL
    cp = (cp << 6) | (*src++ & 0x3F);
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}
}  // namespace

void str8ToStr16(char16* dst, const char8* src, int32 dstUnits) {
  if (dst == nullptr || dstUnits <= 0) return;
  int32 n = 0;
  if (src != nullptr) {
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    while (*p != 0) {
      const char32_t cp = decodeUtf8(p);
      if (cp >= 0x10000) {
        if (n + 2 >= dstUnits) break;
        dst[n++] = static_cast<char16>(0xD800 + ((cp - 0x10000) >> 10));
        dst[n++] = static_cast<char16>(0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        if (n + 1 >= dstUnits) break;
        dst[n++] = static_cast<char16>(cp);
      }
    }
  }
  dst[n] = 0;
}

void str16ToStr8(char8* dst, const char16* src, int32 dstBytes) {
  if (dst == nullptr || dstBytes <= 0) return;
  int32 n = 0;
  if (src != nullptr) {
    for (int32 i = 0; src[i] != 0; ++i) {
      char32_t cp = src[i];
      if (cp >= 0xD800 && cp <= 0xDBFF && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(src[i + 1]) - 0xDC00);
        ++i;
      } else if (cp >= 0xD800 && cp <= 0xDFFF) {
        cp = 0xFFFD;
      }
      unsigned char bytes[4];
      int count;
      if (cp < 0x80) {
        bytes[0] = static_cast<unsigned char>(cp);
        count = 1;
      } else if (cp < 0x800) {
        bytes[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        bytes[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        count = 2;
      } else if (cp < 0x10000) {
        bytes[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
        bytes[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        count = 3;
      } else {
        bytes[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
        bytes[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        count = 4;
      }
      if (n + count >= dstBytes) break;
      for (int k = 0; k < count; ++k) dst[n++] = static_cast<char8>(bytes[k]);
    }
  }
  dst[n] = 0;
}

void strncpy8(char8* dst, const char8* src, int32 dstBytes) {
  if (dst == nullptr || dstBytes <= 0) return;
  int32 n = 0;
  if (src != nullptr)
    for (; n + 1 < dstBytes && src[n] != 0; ++n) dst[n] = src[n];
  dst[n] = 0;
}

void strncpy16(char16* dst, const char16* src, int32 dstUnits) {
  if (dst == nullptr || dstUnits <= 0) return;
  int32 n = 0;
  if (src != nullptr)
    for (; n + 1 < dstUnits && src[n] != 0; ++n) dst[n] = src[n];
  dst[n] = 0;
}

}  // namespace Steinberg

#include <charconv>
#include <cstdio>

namespace Steinberg {

bool parseDouble16(const char16* text, double& value) {
  if (text == nullptr) return false;
  char narrow[128];
  int32 n = 0;
  int32 i = 0;
  const int32 units = strlen16(text, kTextUnitsMax);
  while (i < units && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i < units && text[i] == u'+') ++i;
  // Only the characters a decimal number can hold; the number ends at the first other one.
  for (; i < units && n + 1 < static_cast<int32>(sizeof(narrow)); ++i) {
    const char16 c = text[i];
    const bool numeric = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'e' || c == u'E' || c == u'+';
    if (!numeric) break;
    narrow[n++] = static_cast<char>(c);
  }
  narrow[n] = 0;
  double parsed = 0.;
  const auto result = std::from_chars(narrow, narrow + n, parsed, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr == narrow) return false;
  value = parsed;
  return true;
}

void printDouble16(char16* dst, int32 dstUnits, double value, int32 precision) {
  char narrow[512];
  std::snprintf(narrow, sizeof(narrow), "%.*f", precision < 0 ? 0 : (precision > 16 ? 16 : precision), value);
  str8ToStr16(dst, narrow, dstUnits);
}

}  // namespace Steinberg
