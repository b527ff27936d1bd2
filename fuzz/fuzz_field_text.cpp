// Any int through Change2/3/4: at most 8 bytes written (terminator included), and the field
// reads back to the value, or to the field's extreme when the value is too wide for it.
#include "printer/outport/OutPort.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr unsigned char kUntouched = 0xA5;

void Check(void (*change)(int, char*), int width, int low, int high, int value) {
    std::array<char, 16> text{};
    text.fill(static_cast<char>(kUntouched));
    change(value, text.data());
    for (std::size_t i = 8; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) != kUntouched) {
            std::abort();
        }
    }
    const std::string field(text.data(), static_cast<std::size_t>(width));
    if (std::atoi(field.c_str()) != std::clamp(value, low, high)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(int)) {
        return 0;
    }
    int value = 0;
    std::memcpy(&value, data, sizeof value);
    Check(Change2, 2, -9, 99, value);
    Check(Change3, 3, -99, 999, value);
    Check(Change4, 4, -999, 9999, value);

    std::array<char, 8> text{};
    Change4(value, text.data());
    if (ReadSettingsField(reinterpret_cast<const unsigned char*>(text.data())) !=
        std::clamp(value, -999, 9999)) {
        std::abort();
    }
    return 0;
}
