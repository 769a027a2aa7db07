// Text as the fonts receive it: 8-bit strings that are UTF-8 when they hold at least one
// well-formed multi-byte sequence, single-byte (Latin-1) characters otherwise.
#pragma once

#include <cstdint>
#include <vector>

namespace quivorant {
namespace detail {

// Length of text: count bytes, or up to the terminator when count is negative.
int TextLength(const char* text, int count);

// True when the bytes contain at least one well-formed UTF-8 multi-byte sequence.
bool LooksLikeUtf8(const unsigned char* bytes, int length);

// Character codes of the text. In UTF-8 text, bytes that form no valid sequence stand for
// themselves, so nothing is ever dropped.
std::vector<std::uint32_t> DecodeText(const char* text, int count);

// UTF-16 code units of the given codes, for the system's text renderer.
std::vector<std::uint16_t> ToUtf16(const std::vector<std::uint32_t>& codes);

}  // namespace detail
}  // namespace quivorant
