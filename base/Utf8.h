#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Reading UTF-8 without a locale: names and texts in files must mean the same whatever locale a
// program runs in.

struct Utf8Character {
    char32_t code;
    std::size_t size; // bytes it takes
};

// The character that starts at byte `pos`; nothing when the bytes there are not well-formed
// UTF-8 (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::optional<Utf8Character> DecodeUtf8(std::string_view text, std::size_t pos);

// The offset of the first byte that is not well-formed UTF-8; npos when all of `text` is.
std::size_t FirstInvalidUtf8(std::string_view text);

// C0, DEL and C1 controls, the line and paragraph separators, and the controls that reorder text
// (U+202A..U+202E, U+2066..U+2069): a name holding one could forge lines or hide its real order.
constexpr bool IsControlCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The characters that show as blank space: ASCII space and the Unicode space separators.
constexpr bool IsBlankCharacter(char32_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}
