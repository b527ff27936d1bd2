#pragma once

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
