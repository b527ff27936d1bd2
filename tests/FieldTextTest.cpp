#include "printer/outport/OutPort.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

using ChangeFunction = void (*)(int, char*);

// Writes into a buffer full of a marker, so bytes the function should not touch show up.
std::array<char, 16> Written(ChangeFunction change, int value) {
    std::array<char, 16> text{};
    text.fill('#');
    change(value, text.data());
    return text;
}

std::string Field(ChangeFunction change, int value) {
    return Written(change, value).data();
}

TEST(FieldText, RightAlignedZeroPaddedWithSign) {
    EXPECT_EQ(Field(Change4, -1), "-001");
    EXPECT_EQ(Field(Change4, 0), "0000");
    EXPECT_EQ(Field(Change4, 1143), "1143");
    EXPECT_EQ(Field(Change4, -127), "-127");
    EXPECT_EQ(Field(Change2, 3), "03");
    EXPECT_EQ(Field(Change2, -9), "-9");
    EXPECT_EQ(Field(Change3, 220), "220");
    EXPECT_EQ(Field(Change3, 420), "420");
}

// A value too wide for its field must not shift whatever follows the field.
TEST(FieldText, TooWideValuesSaturateAndNothingPastTheTerminatorIsWritten) {
    struct Case {
        ChangeFunction change;
        int width;
        const char* low;
        const char* high;
    };
    for (const Case& c : {Case{Change2, 2, "-9", "99"}, Case{Change3, 3, "-99", "999"},
                          Case{Change4, 4, "-999", "9999"}}) {
        for (const int value : {INT_MIN, INT_MIN + 1, -100000, -1000, 10000, 100000, INT_MAX}) {
            const auto text = Written(c.change, value);
            EXPECT_EQ(std::string(text.data()), value < 0 ? c.low : c.high) << value;
            for (std::size_t i = static_cast<std::size_t>(c.width) + 1; i < text.size(); ++i) {
                ASSERT_EQ(text[i], '#') << "value " << value << " wrote byte " << i;
            }
        }
    }
}

// What the port library writes, the settings file reads back, at the edges of the field too.
TEST(FieldText, FieldsReadBackThroughTheSettingsReader) {
    for (const int value : {-999, -10, -1, 0, 7, 1143, 9999, 123456, INT_MIN}) {
        const auto text = Written(Change4, value);
        EXPECT_EQ(ReadSettingsField(reinterpret_cast<const unsigned char*>(text.data())),
                  std::clamp(value, -999, 9999));
    }
}

} // namespace
