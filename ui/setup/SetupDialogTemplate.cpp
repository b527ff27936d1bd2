#include "ui/setup/SetupDialogTemplate.h"

#include <array>

namespace {

using K = ControlKind;

constexpr std::array kControls{
    ControlItem{K::GroupBox, kNoId, "&Unit", 161, 68, 60, 36, kNoStyle},
    ControlItem{K::RadioButton, IDC_UNIT_INCH, "0.1 &inches", 164, 79, 55, 10, kGroupStart},
    ControlItem{K::RadioButton, IDC_UNIT_MM, "&millimeters", 164, 90, 55, 10, kGroupEnd},
    ControlItem{K::GroupBox, kNoId, "&Option Set", 9, 68, 145, 98, kNoStyle},
    ControlItem{K::Label, kNoId, "Label Lenght", 12, 85, 52, 8, kAlignRight},
    ControlItem{K::Edit, IDC_LENGTH, "", 73, 81, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, "Label Gap", 12, 105, 52, 8, kAlignRight},
    ControlItem{K::Edit, IDC_GAP, "", 73, 102, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, "Cut Offset", 12, 127, 52, 8, kAlignRight},
    ControlItem{K::Edit, IDC_CUT_OFFSET, "", 73, 123, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, "Tear Off Offset", 12, 146, 52, 8, kAlignRight},
    ControlItem{K::Edit, IDC_TEAR, "", 73, 144, 48, 14, kAlignRight},
    ControlItem{K::GroupBox, kNoId, "&Communication", 161, 107, 60, 59, kNoStyle},
    ControlItem{K::RadioButton, IDC_COM1, "COM1", 165, 118, 52, 10, kGroupStart},
    ControlItem{K::RadioButton, IDC_COM2, "COM2", 165, 130, 52, 10, kNoStyle},
    ControlItem{K::RadioButton, IDC_LPT1, "LPT1", 165, 142, 52, 10, kNoStyle},
    ControlItem{K::RadioButton, IDC_LPT2, "LPT2", 165, 154, 52, 10, kGroupEnd},
    ControlItem{K::HorizontalLine, kNoId, "", 5, 170, 218, 1, kNoStyle},
    ControlItem{K::Label, kNoId, "&Print Mode", 11, 177, 53, 8, kNoStyle},
    ControlItem{K::RadioButton, IDC_THERMAL_TRANSFER, "Thermal Transfer", 66, 177, 87, 10,
                kGroupStart},
    ControlItem{K::RadioButton, IDC_DIRECT_THERMAL, "Direct Thermal", 155, 177, 73, 10, kGroupEnd},
    ControlItem{K::HorizontalLine, kNoId, "", 5, 191, 218, 1, kNoStyle},
    ControlItem{K::PushButton, IDC_PORTS, "Po&rts\u2026", 5, 196, 33, 14, kNoStyle},
    ControlItem{K::PushButton, IDC_SEND, "&Send", 41, 196, 50, 14, kNoStyle},
    ControlItem{K::PushButton, IDOK, "&OK", 104, 196, 50, 14, kNoStyle},
    ControlItem{K::PushButton, IDCANCEL, "&Cancel", 167, 196, 50, 14, kDefaultButton},
    ControlItem{K::Label, IDC_LENGTH_UNIT, "mm", 121, 81, 31, 8, kAlignCenter},
    ControlItem{K::Label, IDC_GAP_UNIT, "mm", 121, 102, 31, 8, kAlignCenter},
    ControlItem{K::Label, kNoId, "pixel", 121, 123, 31, 8, kAlignCenter},
    ControlItem{K::Label, IDC_TEAR_UNIT, "mm", 121, 144, 31, 8, kAlignCenter},
    ControlItem{K::Picture, kNoId, ":/banner.svg", 20, 6, 189, 56, kNoStyle},
};

} // namespace

const DialogTemplate kSetupDialogTemplate{102, "Trovanel", 231, 213, kControls};
