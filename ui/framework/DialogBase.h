#pragma once

#include "ui/framework/DialogMessage.h"
#include "ui/framework/FocusLossCheck.h"
#include "ui/framework/HelpRequest.h"
#include "ui/framework/KeyboardNavigation.h"
#include "ui/framework/template/DialogControls.h"
#include "ui/framework/template/DialogTemplate.h"

#include <QDialog>
#include <utility>

class CDataExchange;

// A dialog built from a template, used the way such dialogs have always been: controls looked
// up by id, data exchange with the members, a notification per click and per edit box that
// loses the focus, message boxes, and F1 asking for the dialog's help topic.
class CDialogBase : public QDialog {
    Q_OBJECT

public:
    explicit CDialogBase(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs the dialog modally; returns QDialog::Accepted or Rejected.
    int DoModal();
    // Initialises and shows the dialog without waiting, as a test does.
    void Create();

    QWidget* GetDlgItem(int id) const { return m_controls.Find(id); }
    QString GetDlgItemText(int id) const { return m_controls.ItemText(id); }
    void SetDlgItemText(int id, const QString& text) { m_controls.SetItemText(id, text); }
    int CheckedRadioIndex(int firstId) const { return m_controls.RadioIndex(firstId); }
    void SetRadioIndex(int firstId, int index) { m_controls.SetRadioIndex(firstId, index); }

    // Moves data between the controls and the members: controls into members when
    // `saveAndValidate`, else the other way. A control that does not read is reported to the
    // user and gets the focus back; then the result is false.
    bool UpdateData(bool saveAndValidate = true);

    void MessageBox(const QString& text, QMessageBox::Icon icon, const QString& detail = {});
    void SetMessagePresenter(MessagePresenter presenter) { m_showMessage = std::move(presenter); }
    void SetHelpLauncher(HelpLauncher launcher) { m_launchHelp = std::move(launcher); }

protected:
    virtual void OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnClicked(int id);
    virtual void OnKillFocus(int id);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnHelp();

    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ConnectClicks();
    void ReportFailedRead(int id);

    const DialogTemplate& m_template;
    CDialogControls m_controls;
    CFocusLossCheck m_focusLossCheck;
    CKeyboardNavigation m_navigation;
    MessagePresenter m_showMessage = ShowMessageBox;
    HelpLauncher m_launchHelp = LaunchHelpViewer;
};
