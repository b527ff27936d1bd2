// Any text in an edit box reads exactly as a reference written from the rule in another way:
// by trimming, splitting off the sign, and comparing digit strings with the 32-bit limits.
#include "base/EditInteger.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

std::optional<std::int32_t> Reference(std::string_view input) {
    const std::string text(input.substr(0, 31));
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::string core = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const bool signed_ = core[0] == '+' || core[0] == '-';
    const bool negative = core[0] == '-';
    const std::string digits = core.substr(signed_ ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const auto nonZero = digits.find_first_not_of('0');
    if (nonZero == std::string::npos) { // the value is zero
        return core[0] == '0' ? std::optional<std::int32_t>(0) : std::nullopt;
    }
    const std::string significant = digits.substr(nonZero);
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (significant.size() > limit.size() ||
        (significant.size() == limit.size() && significant > limit)) {
        return negative ? INT_MIN : INT_MAX;
    }
    const long long magnitude = std::stoll(significant);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (ReadEditInteger(text) != Reference(text)) {
        std::abort();
    }
    return 0;
}
