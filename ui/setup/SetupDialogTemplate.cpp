#include "ui/setup/SetupDialogTemplate.h"

#include <QtGlobal>
#include <array>

namespace {

using K = ControlKind;

// Texts are marked for lupdate in the dialog's own context, which its tr() texts share; the
// builder translates them.
constexpr const char* kContext = "CSetupDlg";

constexpr std::array kControls{
    ControlItem{K::GroupBox, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "&Unit"), 161, 68, 60, 36,
                kNoStyle},
    ControlItem{K::RadioButton, IDC_UNIT_INCH, QT_TRANSLATE_NOOP("CSetupDlg", "0.1 &inches"), 164,
                79, 55, 10, kGroupStart},
    ControlItem{K::RadioButton, IDC_UNIT_MM, QT_TRANSLATE_NOOP("CSetupDlg", "&millimeters"), 164,
                90, 55, 10, kGroupEnd},
    ControlItem{K::GroupBox, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "&Option Set"), 9, 68, 145, 98,
                kNoStyle},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "Label Lenght"), 12, 85, 52, 8,
                kAlignRight},
    ControlItem{K::Edit, IDC_LENGTH, "", 73, 81, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "Label Gap"), 12, 105, 52, 8,
                kAlignRight},
    ControlItem{K::Edit, IDC_GAP, "", 73, 102, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "Cut Offset"), 12, 127, 52, 8,
                kAlignRight},
    ControlItem{K::Edit, IDC_CUT_OFFSET, "", 73, 123, 48, 14, kAlignRight},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "Tear Off Offset"), 12, 146, 52, 8,
                kAlignRight},
    ControlItem{K::Edit, IDC_TEAR, "", 73, 144, 48, 14, kAlignRight},
    ControlItem{K::GroupBox, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "&Communication"), 161, 107, 60,
                59, kNoStyle},
    ControlItem{K::RadioButton, IDC_COM1, QT_TRANSLATE_NOOP("CSetupDlg", "COM1"), 165, 118, 52, 10,
                kGroupStart},
    ControlItem{K::RadioButton, IDC_COM2, QT_TRANSLATE_NOOP("CSetupDlg", "COM2"), 165, 130, 52, 10,
                kNoStyle},
    ControlItem{K::RadioButton, IDC_LPT1, QT_TRANSLATE_NOOP("CSetupDlg", "LPT1"), 165, 142, 52, 10,
                kNoStyle},
    ControlItem{K::RadioButton, IDC_LPT2, QT_TRANSLATE_NOOP("CSetupDlg", "LPT2"), 165, 154, 52, 10,
                kGroupEnd},
    ControlItem{K::HorizontalLine, kNoId, "", 5, 170, 218, 1, kNoStyle},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "&Print Mode"), 11, 177, 53, 8,
                kNoStyle},
    ControlItem{K::RadioButton, IDC_THERMAL_TRANSFER,
                QT_TRANSLATE_NOOP("CSetupDlg", "Thermal Transfer"), 66, 177, 87, 10, kGroupStart},
    ControlItem{K::RadioButton, IDC_DIRECT_THERMAL,
                QT_TRANSLATE_NOOP("CSetupDlg", "Direct Thermal"), 155, 177, 73, 10, kGroupEnd},
    ControlItem{K::HorizontalLine, kNoId, "", 5, 191, 218, 1, kNoStyle},
    ControlItem{K::PushButton, IDC_PORTS, QT_TRANSLATE_NOOP("CSetupDlg", "Po&rts\u2026"), 5, 196,
                33, 14, kNoStyle},
    ControlItem{K::PushButton, IDC_SEND, QT_TRANSLATE_NOOP("CSetupDlg", "&Send"), 41, 196, 50, 14,
                kNoStyle},
    ControlItem{K::PushButton, IDOK, QT_TRANSLATE_NOOP("CSetupDlg", "&OK"), 104, 196, 50, 14,
                kNoStyle},
    ControlItem{K::PushButton, IDCANCEL, QT_TRANSLATE_NOOP("CSetupDlg", "&Cancel"), 167, 196, 50,
                14, kDefaultButton},
    ControlItem{K::Label, IDC_LENGTH_UNIT, QT_TRANSLATE_NOOP("CSetupDlg", "mm"), 121, 81, 31, 8,
                kAlignCenter},
    ControlItem{K::Label, IDC_GAP_UNIT, QT_TRANSLATE_NOOP("CSetupDlg", "mm"), 121, 102, 31, 8,
                kAlignCenter},
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "pixel"), 121, 123, 31, 8,
                kAlignCenter},
    ControlItem{K::Label, IDC_TEAR_UNIT, QT_TRANSLATE_NOOP("CSetupDlg", "mm"), 121, 144, 31, 8,
                kAlignCenter},
    ControlItem{K::Picture, kNoId, ":/banner.svg", 20, 6, 189, 56, kNoStyle},
    // The label stock row, below everything else and last in the tab order.
    ControlItem{K::Label, kNoId, QT_TRANSLATE_NOOP("CSetupDlg", "&Label stock"), 5, 219, 50, 8,
                kNoStyle},
    ControlItem{K::ComboBox, IDC_PRESET, "", 58, 216, 105, 14, kNoStyle},
    ControlItem{K::PushButton, IDC_PRESET_MENU, QT_TRANSLATE_NOOP("CSetupDlg", "Mana&ge"), 167, 216,
                50, 14, kNoStyle},
};

// The banner's words, which the picture translates in its own context.
[[maybe_unused]] constexpr std::array kBannerTexts{
    QT_TRANSLATE_NOOP("CSvgPicture", "Label measurements"),
    QT_TRANSLATE_NOOP("CSvgPicture", "Cut Offset"),
    QT_TRANSLATE_NOOP("CSvgPicture", "Length"),
    QT_TRANSLATE_NOOP("CSvgPicture", "Gap"),
    QT_TRANSLATE_NOOP("CSvgPicture",
                      "Where the cut offset, the label length and the label gap are measured."),
};

} // namespace

const DialogTemplate kSetupDialogTemplate{
    102, QT_TRANSLATE_NOOP("CSetupDlg", "Trovanel"), 231, 234, kControls, kContext};
