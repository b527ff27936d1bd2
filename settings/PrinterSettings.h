#pragma once

#include <cstdint>
#include <string_view>

// What applying an entered value came to: accepted, or rejected with the text to show the user.
struct SetResult {
    bool accepted = true;
    std::string_view message; // empty when accepted

    static SetResult Accepted() { return {}; }
    static SetResult Rejected(std::string_view text) { return {false, text}; }
};

// The three measurements as the current unit shows them.
struct ShownValues {
    std::int32_t length;
    std::int32_t gap;
    std::int32_t tear;
};

// The printer settings. Length, gap and tear-off offset are kept in tenths of an inch and in
// millimetres at once; the unit only picks which pair is shown and which range applies next.
// Fields are declared in the order of the settings file.
class CPrinterSettings {
public:
    std::int32_t m_nUnit = 1; // 0 = tenths of an inch, anything else = millimetres
    std::int32_t m_nLengthInch = 0;
    std::int32_t m_nGapInch = 1;
    std::int32_t m_nCutOffset = 0; // printer pixels, no unit choice
    std::int32_t m_nTearInch = 0;
    std::int32_t m_nPort = 0;      // 0 = COM1, 1 = COM2, 2 = LPT1, 3 = LPT2
    std::int32_t m_nPrintMode = 0; // 0 = thermal transfer, 1 = direct thermal
    std::int32_t m_nLengthMm = 0;
    std::int32_t m_nGapMm = 3;
    std::int32_t m_nTearMm = 0;

    // Each applies a value entered in the current unit. A rejected value zeroes both units of
    // that quantity; an accepted one stores it and its conversion, which is not range-checked.
    SetResult SetLength(std::int32_t value);
    SetResult SetGap(std::int32_t value);
    SetResult SetTearOffset(std::int32_t value);
    SetResult SetCutOffset(std::int32_t value);

    bool InchUnit() const { return m_nUnit == 0; }
    ShownValues Shown() const;
    std::string_view UnitLabel() const { return InchUnit() ? "0.1inch" : "mm"; }

    friend bool operator==(const CPrinterSettings&, const CPrinterSettings&) = default;
};

// Truncating conversions between the two units, in 32-bit arithmetic.
constexpr std::int32_t MmToInchTenths(std::int32_t mm) {
    return mm * 3937 / 10000;
}
constexpr std::int32_t InchTenthsToMm(std::int32_t tenths) {
    return tenths * 254 / 100;
}
