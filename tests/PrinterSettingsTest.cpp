#include "settings/PrinterSettings.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

CPrinterSettings InUnit(std::int32_t unit) {
    CPrinterSettings settings;
    settings.m_nUnit = unit;
    return settings;
}

struct Quantity {
    std::string name;
    SetResult (CPrinterSettings::*set)(std::int32_t);
    std::int32_t CPrinterSettings::*inch;
    std::int32_t CPrinterSettings::*mm;
};

// Each quantity in each unit accepts a range from 0 up; a rejection states exactly that range
// in that unit and clears both units, and an accepted value is kept in both units.
TEST(PrinterSettings, RejectionStatesTheRangeThatIsAccepted) {
    const Quantity quantities[] = {
        {"Label Length", &CPrinterSettings::SetLength, &CPrinterSettings::m_nLengthInch,
         &CPrinterSettings::m_nLengthMm},
        {"Label Gap", &CPrinterSettings::SetGap, &CPrinterSettings::m_nGapInch,
         &CPrinterSettings::m_nGapMm},
        {"Tear Offset", &CPrinterSettings::SetTearOffset, &CPrinterSettings::m_nTearInch,
         &CPrinterSettings::m_nTearMm},
    };
    for (const Quantity& q : quantities) {
        for (const std::int32_t unit : {0, 1}) {
            CPrinterSettings settings = InUnit(unit);
            std::int32_t high = -1;
            while (high < 100000 && (settings.*q.set)(high + 1).accepted) {
                ++high;
                const bool inch = unit == 0;
                ASSERT_EQ(settings.*(inch ? q.inch : q.mm), high) << q.name;
                ASSERT_EQ(settings.*(inch ? q.mm : q.inch),
                          inch ? InchTenthsToMm(high) : MmToInchTenths(high))
                    << q.name;
            }
            ASSERT_GT(high, 0) << q.name;
            const std::string expected =
                "The " + q.name + " value is out of range. The limit is 0 ~ " +
                std::to_string(high) + (unit == 0 ? " (0.1 inch)." : " mm.");
            for (const std::int32_t outside : {high + 1, -1, INT_MIN, INT_MAX}) {
                (settings.*q.set)(high);
                const SetResult rejected = (settings.*q.set)(outside);
                EXPECT_FALSE(rejected.accepted) << outside;
                EXPECT_EQ(std::string(rejected.message), expected);
                EXPECT_EQ(settings.*q.inch, 0);
                EXPECT_EQ(settings.*q.mm, 0);
            }
        }
    }
}

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
