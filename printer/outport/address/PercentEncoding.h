#pragma once

#include <optional>
#include <string>
#include <string_view>

// Percent-encoding for the parts of device URIs, by ASCII rules whatever the locale.

// Every byte but the unreserved characters (letters, digits, "-._~") as %XX, so a byte of a
// multi-byte name is always encoded.
std::string PercentEncoded(std::string_view text);

// `text` with each %XX replaced by its byte; nothing when a '%' is not followed by two
// hexadecimal digits. What the bytes may be is the caller's rule.
std::optional<std::string> PercentDecoded(std::string_view text);

// The value of a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c);
