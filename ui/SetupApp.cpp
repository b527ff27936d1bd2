#include "ui/SetupApp.h"

#include "ui/framework/TerminationWatch.h"
#include "ui/setup/SetupDlg.h"

bool CSetupApp::InitInstance() {
    CSetupDlg dialog;
    const CTerminationWatch watch(dialog);
    dialog.DoModal();
    m_nExitCode = watch.Received() == 0 ? 0 : 128 + watch.Received();
    return false;
}
