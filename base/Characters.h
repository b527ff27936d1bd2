#pragma once

#include <cstddef>
#include <string_view>

// Character classes of the C locale, without the locale: the number fields must read the same
// whatever locale a program sets.
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Space, tab, and the line and page breaks, as isspace() in the C locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
// Space and tab only.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
// Letters and digits of ASCII only: a byte of a multi-byte character is never one, whatever the
// locale says.
constexpr bool IsAsciiAlnum(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// A-Z to a-z and nothing else; tolower() keeps 'I' in a Turkish locale.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}
