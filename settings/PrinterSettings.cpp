#include "settings/PrinterSettings.h"

namespace {

// Entry limits and rejection texts of one measurement in one unit.
struct EntryRule {
    std::int32_t high;
    std::string_view message;
};

struct MeasurementRules {
    EntryRule inch;
    EntryRule mm;
};

constexpr MeasurementRules kLength{
    {450, "The Label Length value is out of range. The limit is 0 ~ 450 (0.1 inch)."},
    {1103, "The Label Length value is out of range. The limit is 0 ~ 1103 mm."}};
constexpr MeasurementRules kGap{
    {14, "The Label Gap value is out of range. The limit is 0 ~ 14 (0.1 inch)."},
    {36, "The Label Gap value is out of range. The limit is 0 ~ 36 mm."}};
constexpr MeasurementRules kTear{
    {20, "The Tear Offset value is out of range. The limit is 0 ~ 20 (0.1 inch)."},
    {50, "The Tear Offset value is out of range. The limit is 0 ~ 50 mm."}};

constexpr std::int32_t kCutOffsetLimit = 127;
constexpr std::string_view kCutOffsetMessage =
    "The Cut Offset value is out of range. The limit is -127 ~ 127 pixel.";

SetResult Apply(bool inchUnit, const MeasurementRules& rules, std::int32_t value,
                std::int32_t& inchField, std::int32_t& mmField) {
    const EntryRule& rule = inchUnit ? rules.inch : rules.mm;
    if (value < 0 || value > rule.high) {
        inchField = 0;
        mmField = 0;
        return SetResult::Rejected(rule.message);
    }
    inchField = inchUnit ? value : MmToInchTenths(value);
    mmField = inchUnit ? InchTenthsToMm(value) : value;
    return SetResult::Accepted();
}

} // namespace

SetResult CPrinterSettings::SetLength(std::int32_t value) {
    return Apply(InchUnit(), kLength, value, m_nLengthInch, m_nLengthMm);
}

SetResult CPrinterSettings::SetGap(std::int32_t value) {
    return Apply(InchUnit(), kGap, value, m_nGapInch, m_nGapMm);
}

SetResult CPrinterSettings::SetTearOffset(std::int32_t value) {
    return Apply(InchUnit(), kTear, value, m_nTearInch, m_nTearMm);
}

SetResult CPrinterSettings::SetCutOffset(std::int32_t value) {
    if (value < -kCutOffsetLimit || value > kCutOffsetLimit) {
        m_nCutOffset = 0;
        return SetResult::Rejected(kCutOffsetMessage);
    }
    m_nCutOffset = value;
    return SetResult::Accepted();
}

ShownValues CPrinterSettings::Shown() const {
    if (InchUnit()) {
        return {m_nLengthInch, m_nGapInch, m_nTearInch};
    }
    return {m_nLengthMm, m_nGapMm, m_nTearMm};
}
