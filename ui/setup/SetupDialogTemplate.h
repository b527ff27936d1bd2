#pragma once

#include "ui/framework/template/DialogTemplate.h"

// Control identifiers of the setup dialog.
enum SetupControlId : int {
    IDC_LENGTH = 1002,
    IDC_GAP = 1003,
    IDC_CUT_OFFSET = 1004,
    IDC_TEAR = 1005,
    IDC_THERMAL_TRANSFER = 1006,
    IDC_DIRECT_THERMAL = 1007,
    IDC_COM1 = 1008,
    IDC_COM2 = 1009,
    IDC_LPT1 = 1010,
    IDC_LPT2 = 1011,
    IDC_UNIT_INCH = 1012,
    IDC_UNIT_MM = 1013,
    IDC_LENGTH_UNIT = 1014,
    IDC_GAP_UNIT = 1015,
    IDC_TEAR_UNIT = 1016,
    IDC_SEND = 1019,
    IDC_PORTS = 1020,
    IDC_PRESET = 1021,
    IDC_PRESET_MENU = 1022,
};

// Dialog template 102.
extern const DialogTemplate kSetupDialogTemplate;
