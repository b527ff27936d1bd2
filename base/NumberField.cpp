#include "base/NumberField.h"

#include "base/Characters.h"

#include <algorithm>

void WriteNumberField(std::int32_t value, int width, char* text) {
    std::int32_t high = 9;
    for (int i = 1; i < width; ++i) {
        high = high * 10 + 9; // 9, 99, 999, 9999 ...
    }
    const std::int32_t low = -(high / 10); // 0, -9, -99, -999 ...
    // Clamped first, so a damaged number cannot push the fields after it out of place.
    value = std::clamp(value, low, high);

    std::int32_t magnitude = value < 0 ? -value : value;
    for (int pos = width - 1; pos >= 0; --pos) {
        text[pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (value < 0) {
        text[0] = '-';
    }
    text[width] = '\0';
}

std::int32_t ReadNumberField(const unsigned char* field, std::size_t width) {
    const auto at = [field](std::size_t pos) { return static_cast<char>(field[pos]); };
    std::size_t pos = 0;
    while (pos < width && IsSpace(at(pos))) {
        ++pos;
    }
    bool negative = false;
    if (pos < width && (at(pos) == '+' || at(pos) == '-')) {
        negative = at(pos) == '-';
        ++pos;
    }
    std::int32_t value = 0;
    while (pos < width && IsDigit(at(pos))) {
        value = value * 10 + (at(pos) - '0');
        ++pos;
    }
    return negative ? -value : value;
}
