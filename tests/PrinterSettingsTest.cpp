#include "PrinterSettings.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

CPrinterSettings InUnit(std::int32_t unit) {
    CPrinterSettings settings;
    settings.m_nUnit = unit;
    return settings;
}

TEST(PrinterSettings, DefaultsAreMillimetresWithAThreeMillimetreGap) {
    const CPrinterSettings settings;
    EXPECT_EQ(settings.m_nUnit, 1);
    EXPECT_EQ(settings.m_nGapMm, 3);
    EXPECT_EQ(settings.m_nGapInch, 1);
    EXPECT_EQ(settings.m_nLengthMm, 0);
    EXPECT_EQ(settings.m_nPort, 0);
    EXPECT_EQ(settings.m_nPrintMode, 0);
    EXPECT_EQ(settings.UnitLabel(), "mm");
}

// Each quantity in each unit: the highest value is accepted and converted, one more and -1 are
// rejected with the exact message and zero both units.
struct LimitCase {
    const char* name;
    SetResult (CPrinterSettings::*set)(std::int32_t);
    std::int32_t CPrinterSettings::*inch;
    std::int32_t CPrinterSettings::*mm;
    std::int32_t unit;
    std::int32_t high;
    std::int32_t convertedHigh;
    const char* message;
};

const LimitCase kLimits[] = {
    {"LengthMm", &CPrinterSettings::SetLength, &CPrinterSettings::m_nLengthInch,
     &CPrinterSettings::m_nLengthMm, 1, 1103, 434,
     "The Label Length value is out of range. The limit is 0 ~ 1103 mm."},
    {"LengthInch", &CPrinterSettings::SetLength, &CPrinterSettings::m_nLengthInch,
     &CPrinterSettings::m_nLengthMm, 0, 450, 1143,
     "The Label Length value is out of range. The limit is 0 ~ 450 (0.1 inch)."},
    {"GapMm", &CPrinterSettings::SetGap, &CPrinterSettings::m_nGapInch, &CPrinterSettings::m_nGapMm,
     1, 36, 14, "The Label Gap value is out of range. The limit is 0 ~ 36 mm."},
    {"GapInch", &CPrinterSettings::SetGap, &CPrinterSettings::m_nGapInch,
     &CPrinterSettings::m_nGapMm, 0, 14, 35,
     "The Label Gap value is out of range. The limit is 0 ~ 14 (0.1 inch)."},
    {"TearMm", &CPrinterSettings::SetTearOffset, &CPrinterSettings::m_nTearInch,
     &CPrinterSettings::m_nTearMm, 1, 50, 19,
     "The Tear Offset value is out of range. The limit is 0 ~ 50 mm."},
    {"TearInch", &CPrinterSettings::SetTearOffset, &CPrinterSettings::m_nTearInch,
     &CPrinterSettings::m_nTearMm, 0, 20, 50,
     "The Tear Offset value is out of range. The limit is 0 ~ 20 (0.1 inch)."},
};

class Limits : public testing::TestWithParam<LimitCase> {};

TEST_P(Limits, HighAcceptedAndConvertedOutsideRejected) {
    const LimitCase& c = GetParam();
    CPrinterSettings settings = InUnit(c.unit);
    const SetResult accepted = (settings.*c.set)(c.high);
    EXPECT_TRUE(accepted.accepted);
    EXPECT_TRUE(accepted.message.empty());
    const std::int32_t entered = c.unit == 0 ? settings.*c.inch : settings.*c.mm;
    const std::int32_t converted = c.unit == 0 ? settings.*c.mm : settings.*c.inch;
    EXPECT_EQ(entered, c.high);
    EXPECT_EQ(converted, c.convertedHigh);

    for (const std::int32_t outside : {c.high + 1, -1, INT_MIN, INT_MAX}) {
        (settings.*c.set)(c.high);
        const SetResult rejected = (settings.*c.set)(outside);
        EXPECT_FALSE(rejected.accepted) << outside;
        EXPECT_EQ(std::string(rejected.message), c.message);
        EXPECT_EQ(settings.*c.inch, 0);
        EXPECT_EQ(settings.*c.mm, 0);
    }
    EXPECT_TRUE((settings.*c.set)(0).accepted);
}

INSTANTIATE_TEST_SUITE_P(PrinterSettings, Limits, testing::ValuesIn(kLimits),
                         [](const auto& info) { return info.param.name; });

TEST(PrinterSettings, CutOffsetAcceptsPlusMinus127Only) {
    CPrinterSettings settings;
    EXPECT_TRUE(settings.SetCutOffset(-127).accepted);
    EXPECT_EQ(settings.m_nCutOffset, -127);
    EXPECT_TRUE(settings.SetCutOffset(127).accepted);
    for (const std::int32_t outside : {128, -128, INT_MIN}) {
        settings.m_nCutOffset = 5;
        const SetResult result = settings.SetCutOffset(outside);
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(result.message,
                  "The Cut Offset value is out of range. The limit is -127 ~ 127 pixel.");
        EXPECT_EQ(settings.m_nCutOffset, 0);
    }
}

TEST(PrinterSettings, RejectedGapLeavesTheLengthAlone) {
    CPrinterSettings settings;
    settings.SetLength(100);
    settings.SetGap(37);
    EXPECT_EQ(settings.m_nLengthMm, 100);
    EXPECT_EQ(settings.m_nLengthInch, 39);
    EXPECT_EQ(settings.m_nGapMm, 0);
    EXPECT_EQ(settings.m_nGapInch, 0);
}

// Switching the unit converts nothing; re-entering the shown value converts back with loss.
TEST(PrinterSettings, UnitSwitchShowsTheOtherStoredValue) {
    CPrinterSettings settings;
    settings.SetLength(100);
    settings.m_nUnit = 0;
    EXPECT_EQ(settings.Shown().length, 39);
    EXPECT_EQ(settings.UnitLabel(), "0.1inch");
    settings.m_nUnit = 1;
    EXPECT_EQ(settings.Shown().length, 100);
    settings.m_nUnit = 0;
    settings.SetLength(39);
    EXPECT_EQ(settings.m_nLengthMm, 99);
}

TEST(PrinterSettings, AnyUnitCodeButZeroMeansMillimetres) {
    for (const std::int32_t unit : {2, -1}) {
        CPrinterSettings settings = InUnit(unit);
        EXPECT_EQ(settings.UnitLabel(), "mm");
        EXPECT_TRUE(settings.SetLength(1103).accepted);
        EXPECT_EQ(settings.Shown().length, 1103);
        EXPECT_EQ(settings.Shown().gap, 3);
        EXPECT_FALSE(settings.SetLength(1104).accepted);
    }
}

} // namespace
