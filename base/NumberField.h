#pragma once

#include <cstddef>
#include <cstdint>

// The fixed-width decimal fields of the printer's command lines and of the settings file.

// Writes `value` right-aligned in `width` characters (1 to 7), padded on the left with '0'; a
// negative value starts with '-'. A terminating zero follows, so width + 1 bytes are written.
// A value too wide for the field is clamped to the field's extremes (width 4: -999..9999).
void WriteNumberField(std::int32_t value, int width, char* text);

// Reads a field as atoi() would, but never past its `width` bytes: leading white space, an
// optional sign, then decimal digits up to the first non-digit; no digits read as 0.
std::int32_t ReadNumberField(const unsigned char* field, std::size_t width);
