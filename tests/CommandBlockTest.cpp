#include "printer/CommandBlock.h"

#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

using Buffer = std::array<unsigned char, kCommandBufferSize>;

// The block as a string, so a mismatch prints every byte.
std::string Block(const CPrinterSettings& settings, Buffer& buffer) {
    EXPECT_EQ(BuildCommand(settings, buffer.data()), kCommandBlockSize);
    return std::string(buffer.begin(), buffer.begin() + kCommandBlockSize);
}

std::string Block(const CPrinterSettings& settings) {
    Buffer buffer{};
    return Block(settings, buffer);
}

std::string Expected(const char* length, const char* gap, char mode, const char* tear, char cut) {
    std::string block;
    block += std::string("\x02KX") + length + "\r\n";
    block += std::string("\x02KI5") + gap + "\r\n";
    block += std::string("\x02KI7") + mode + "\r\n";
    block += std::string("\x02"
                         "f") +
             tear + "\r\n";
    block += std::string("\x1BKI;") + cut + "\r\n";
    return block;
}

TEST(CommandBlock, DefaultsGiveTheExactBlockAndLeaveTheRestOfTheBuffer) {
    Buffer buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(Block(CPrinterSettings(), buffer), Expected("0000", "03", '\x01', "220", '\0'));
    for (std::size_t i = kCommandBlockSize; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], 0xEE) << i;
    }
}

TEST(CommandBlock, PrintModeAndCutOffsetAreRawBytes) {
    CPrinterSettings settings;
    settings.m_nPrintMode = 1;
    EXPECT_EQ(Block(settings)[21], '\0');
    settings.m_nPrintMode = 7;
    EXPECT_EQ(Block(settings)[21], '\0');
    for (const auto& [cut, byte] : {std::pair{127, 0x7F}, {-127, 0x81}, {-1, 0xFF}, {0, 0x00}}) {
        settings.m_nCutOffset = cut;
        EXPECT_EQ(static_cast<unsigned char>(Block(settings)[35]), byte) << cut;
    }
}

// Length and gap go in millimetres and the tear-off in tenths, whatever unit is shown.
TEST(CommandBlock, UsesMillimetreLengthAndGapAndTenthsTearWhateverTheUnit) {
    CPrinterSettings settings;
    settings.m_nUnit = 0;
    ASSERT_TRUE(settings.SetLength(450).accepted);
    settings.m_nUnit = 1;
    ASSERT_TRUE(settings.SetTearOffset(3).accepted);
    ASSERT_TRUE(settings.SetGap(36).accepted);
    const std::string inMillimetres = Block(settings);
    EXPECT_EQ(inMillimetres, Expected("1143", "36", '\x01', "230", '\0'));
    settings.m_nUnit = 0;
    EXPECT_EQ(Block(settings), inMillimetres);
}

TEST(CommandBlock, DamagedValuesStayInTheirFields) {
    CPrinterSettings settings;
    settings.m_nLengthMm = 123456;
    settings.m_nGapMm = -50;
    settings.m_nTearInch = 2147483647;
    EXPECT_EQ(Block(settings), Expected("9999", "-9", '\x01', "999", '\0'));
}

class SendToPrinterTest : public testing::Test {
protected:
    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

TEST_F(SendToPrinterTest, SendsTheBlockOnceOnTheRecordsPort) {
    const std::string capture = (m_dir.path() / "capture.bin").string();
    m_environment.Set("OUTPORT_COM2", "file:" + capture);
    CPrinterSettings settings;
    settings.m_nPort = 1;
    settings.m_nCutOffset = -1;
    Buffer buffer{};
    ASSERT_TRUE(SendToPrinter(settings, buffer.data()));
    EXPECT_EQ(ReadFile(capture), Expected("0000", "03", '\x01', "220", '\xFF'));
}

TEST_F(SendToPrinterTest, FailsWithoutAPortOrADevice) {
    CPrinterSettings settings;
    Buffer buffer{};
    for (const int port : {-1, 4, 7}) {
        settings.m_nPort = port;
        EXPECT_FALSE(SendToPrinter(settings, buffer.data())) << port;
    }
    m_environment.Set("OUTPORT_COM2", (m_dir.path() / "missing").string());
    settings.m_nPort = 1;
    EXPECT_FALSE(SendToPrinter(settings, buffer.data()));
}

} // namespace
