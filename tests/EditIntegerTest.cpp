#include "base/EditInteger.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

TEST(EditInteger, ReadsSignedDecimalsBetweenBlanksAndTabs) {
    EXPECT_EQ(ReadEditInteger("100"), 100);
    EXPECT_EQ(ReadEditInteger(" \t-127\t "), -127);
    EXPECT_EQ(ReadEditInteger("+45"), 45);
    EXPECT_EQ(ReadEditInteger("0"), 0);
    EXPECT_EQ(ReadEditInteger("  007"), 7);
    EXPECT_EQ(ReadEditInteger("0   "), 0);
}

// Zero counts only when the number starts with the digit 0; anything but blanks and tabs
// around the number fails.
TEST(EditInteger, TextThatIsNoNumberFails) {
    for (const char* text : {"", "   ", "+0", "-0", "+", "-", "+00", "abc", "12a", "1 2", "1.5",
                             "0x10", "--1", "\n1", "1\n", "1e3"}) {
        EXPECT_EQ(ReadEditInteger(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(EditInteger, NumbersBeyondThirtyTwoBitsSaturate) {
    EXPECT_EQ(ReadEditInteger("2147483647"), INT_MAX);
    EXPECT_EQ(ReadEditInteger("2147483648"), INT_MAX);
    EXPECT_EQ(ReadEditInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(ReadEditInteger("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ReadEditInteger(std::string(31, '9')), INT_MAX);
}

// Only the first 31 characters are read: what lies past them cannot spoil the number.
TEST(EditInteger, OnlyTheFirstThirtyOneCharactersCount) {
    EXPECT_EQ(ReadEditInteger(std::string(30, ' ') + "5xyz"), 5);
    EXPECT_EQ(ReadEditInteger(std::string(31, ' ') + "5"), std::nullopt);
    // Blanks that run on past the 31st character end at it, not at the end of the text.
    EXPECT_EQ(ReadEditInteger("7" + std::string(40, ' ') + "x"), 7);
}

} // namespace
