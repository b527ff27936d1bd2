#include "SetupApp.h"

#include "SetupDlg.h"

bool CSetupApp::InitInstance() {
    CSetupDlg dialog;
    dialog.DoModal();
    return false;
}
