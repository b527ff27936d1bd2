#include "OutPort.h"

#include <algorithm>

namespace {

// Digits are written from the right so the field never grows past `width` characters; the
// value is clamped first so a damaged number cannot push the fields after it out of place.
void WriteField(int value, int width, char* text) {
    int low = -1;
    int high = 1;
    for (int i = 1; i < width; ++i) {
        low *= 10;
        high *= 10;
    }
    high = high * 10 - 1; // 99, 999, 9999
    low = low + 1;        // -9, -99, -999
    value = std::clamp(value, low, high);

    int magnitude = value < 0 ? -value : value;
    for (int pos = width - 1; pos >= 0; --pos) {
        text[pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (value < 0) {
        text[0] = '-';
    }
    text[width] = '\0';
}

} // namespace

extern "C" void Change2(int value, char* text) {
    WriteField(value, 2, text);
}
extern "C" void Change3(int value, char* text) {
    WriteField(value, 3, text);
}
extern "C" void Change4(int value, char* text) {
    WriteField(value, 4, text);
}
