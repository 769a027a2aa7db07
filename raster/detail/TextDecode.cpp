#include "raster/detail/TextDecode.h"

namespace quivorant {
namespace detail {

namespace {

// Decodes one well-formed UTF-8 multi-byte sequence at bytes[i]; returns its length, or 0.
int Utf8Sequence(const unsigned char* b, int i, int length, std::uint32_t* code) {
  const unsigned lead = b[i];
  int extra;
  std::uint32_t value;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, value = lead & 0x07;
  } else {
    return 0;
  }
  if (i + extra >= length) return 0;
  for (int n = 1; n <= extra; ++n) {
    const unsigned c = b[i + n];
    if ((c & 0xC0) != 0x80) return 0;
    value = (value << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not well formed.
  static const std::uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return extra + 1;
}

}  // namespace

int TextLength(const char* text, int count) {
  if (text == nullptr) return 0;
  if (count >= 0) return count;
  int n = 0;
  while (text[n] != '\0' && n < 0x7FFFFFFF) ++n;
  return n;
}

bool LooksLikeUtf8(const unsigned char* bytes, int length) {
  std::uint32_t code = 0;
  for (int i = 0; i < length; ++i) {
    if (bytes[i] >= 0xC2 && Utf8Sequence(bytes, i, length, &code) > 0) return true;
  }
  return false;
}

std::vector<std::uint32_t> DecodeText(const char* text, int count) {
  const int length = TextLength(text, count);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::vector<std::uint32_t> codes;
  codes.reserve(static_cast<std::size_t>(length));
  const bool utf8 = LooksLikeUtf8(bytes, length);
  for (int i = 0; i < length;) {
    std::uint32_t code = bytes[i];
    const int used = utf8 && bytes[i] >= 0xC2 ? Utf8Sequence(bytes, i, length, &code) : 0;
    if (used > 0) {
      codes.push_back(code);
      i += used;
    } else {
      codes.push_back(bytes[i]);
      ++i;
    }
  }
  return codes;
}

std::vector<std::uint16_t> ToUtf16(const std::vector<std::uint32_t>& codes) {
  std::vector<std::uint16_t> units;
  units.reserve(codes.size());
  for (std::uint32_t c : codes) {
    if (c >= 0x10000) {
      c -= 0x10000;
      units.push_back(static_cast<std::uint16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      units.push_back(static_cast<std::uint16_t>(c));
    }
  }
  return units;
}

}  // namespace detail
}  // namespace quivorant
