#include "settings/SentRecord.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(SentRecordTest, ReadsWhatItWritesAndRefusesAnythingElse) {
    const std::vector<SentEntry> entries{{"file:/tmp/a b.bin", std::string("\x02K\0\r\n", 5), 7},
                                         {"cups:labels", "x", 1796673606}};
    EXPECT_EQ(ParseSentRecord(FormatSentRecord(entries)).entries, entries);

    const struct {
        std::string text;
        SentRecordProblem problem;
        std::size_t line;
    } cases[] = {
        {"", SentRecordProblem::None, 0},
        {"7 0a file:/x\n8 0a", SentRecordProblem::Damaged, 2}, // cut off
        {"7 0a file:/x", SentRecordProblem::Damaged, 1},       // no line end
        {"-7 0a file:/x\n", SentRecordProblem::Damaged, 1},    // time
        {"7 0A file:/x\n", SentRecordProblem::Damaged, 1},     // hex as written
        {"7 0a0 file:/x\n", SentRecordProblem::Damaged, 1},    // half a byte
        {"7 0a \n", SentRecordProblem::Damaged, 1},            // no device
        {"7 0a file:/x\r\n", SentRecordProblem::Damaged, 1},   // a control character
        {std::string(kSentRecordLargest + 1, '\n'), SentRecordProblem::TooLarge, 0},
    };
    for (const auto& entry : cases) {
        const SentRecordRead read = ParseSentRecord(entry.text);
        EXPECT_EQ(read.problem, entry.problem) << entry.text.substr(0, 20);
        EXPECT_EQ(read.line, entry.line) << entry.text.substr(0, 20);
        EXPECT_TRUE(read.problem == SentRecordProblem::None || read.entries.empty());
    }
}

TEST(SentRecordTest, KeepsTheNewestEntryOfEachDeviceWithinItsBounds) {
    std::vector<SentEntry> entries;
    for (int device = 0; device < 100; ++device) {
        entries = WithSent(entries, {"file:/" + std::to_string(device), "old", device});
    }
    entries = WithSent(entries, {"file:/99", "new", 100});
    ASSERT_EQ(entries.size(), kSentRecordEntries);
    EXPECT_EQ(*FindSent(entries, "file:/99"), (SentEntry{"file:/99", "new", 100}));
    EXPECT_EQ(FindSent(entries, "file:/35"), nullptr); // sent to longest ago
    EXPECT_NE(FindSent(entries, "file:/36"), nullptr);

    // A long URI counts against the size, not only the number of devices.
    const std::string longUri = "file:/" + std::string(kSentRecordLargest - 200, 'x');
    entries = WithSent(entries, {longUri, "b", 101});
    EXPECT_LE(FormatSentRecord(entries).size(), kSentRecordLargest);
    EXPECT_NE(FindSent(entries, longUri), nullptr);
    EXPECT_LT(entries.size(), 20U);
}

} // namespace
