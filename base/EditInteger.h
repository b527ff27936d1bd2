#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reads an edit box's text as an integer: at most its first 31 characters; blanks and tabs
// before the number; an optional sign; decimal digits; then only blanks and tabs. A result of 0
// counts only when the number starts with the digit '0' (so "", "+0" and "-0" do not read).
// Numbers beyond 32 bits saturate at the limits. Returns nothing when the text does not read.
std::optional<std::int32_t> ReadEditInteger(std::string_view text);
