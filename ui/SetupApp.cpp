#include "ui/SetupApp.h"

#include "ui/setup/SetupDlg.h"

bool CSetupApp::InitInstance() {
    CSetupDlg dialog;
    dialog.DoModal();
    return false;
}
