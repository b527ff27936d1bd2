#include "base/EditInteger.h"

#include "base/Characters.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace {

constexpr std::size_t kReadLimit = 31;

} // namespace

std::optional<std::int32_t> ReadEditInteger(std::string_view text) {
    text = text.substr(0, kReadLimit);
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    const bool startsWithZero = pos < text.size() && text[pos] == '0';
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // 31 characters hold at most 31 digits: keep the magnitude capped so it cannot overflow.
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kCap);
        ++pos;
    }
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    if (pos != text.size() || (magnitude == 0 && !startsWithZero)) {
        return std::nullopt;
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return static_cast<std::int32_t>(std::min(magnitude, kCap - 1));
}
