#include "base/Utf8.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Row {
    std::string bytes;
    std::size_t firstInvalid; // npos: all well-formed
};

TEST(Utf8, MalformedSequencesAreFoundWhereTheyStart) {
    constexpr std::size_t kAll = std::string::npos;
    const std::vector<Row> rows{
        {"plain ASCII", kAll},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\xB7", kAll}, // 2, 3 and 4 bytes
        {"\xF4\x8F\xBF\xBF", kAll},                          // U+10FFFF
        {"ab\x80", 2},                                       // a stray continuation byte
        {"a\xC3", 1},                                        // cut short
        {"a\xE2\x82x", 1},                                   // a continuation missing
        {"\xC0\xAF", 0},                                     // overlong '/'
        {"\xE0\x80\xAF", 0},                                 // overlong '/' in three bytes
        {"\xED\xA0\x80", 0},                                 // a surrogate
        {"\xF4\x90\x80\x80", 0},                             // beyond U+10FFFF
        {"ok\xFF", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(FirstInvalidUtf8(row.bytes), row.firstInvalid);
    }
    const auto euro = DecodeUtf8("x\xE2\x82\xAC", 1);
    ASSERT_TRUE(euro);
    EXPECT_EQ(euro->code, U'\u20AC');
    EXPECT_EQ(euro->size, 3U);
}

} // namespace
