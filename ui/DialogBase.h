#pragma once

#include "DialogMessage.h"
#include "DialogTemplate.h"
#include "HelpRequest.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class CDataExchange;
class QAbstractButton;
class QButtonGroup;

// A dialog built from a template, with the behaviour such dialogs have always had and Qt does
// not give by itself: radio groups read and written as indices, a focus-loss notification per
// edit box that no read or write of the controls can start, access keys that move the focus
// before they press a button, Tab stopping once per radio group, arrow keys that select, and F1
// asking for the dialog's help topic.
class CDialogBase : public QDialog {
    Q_OBJECT

public:
    explicit CDialogBase(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs the dialog modally; returns QDialog::Accepted or Rejected.
    int DoModal();
    // Initialises and shows the dialog without waiting, as a test does.
    void Create();

    QWidget* GetDlgItem(int id) const;
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString& text);

    // Moves data between the controls and the members: controls into members when
    // `saveAndValidate`, else the other way. False when a control did not read.
    bool UpdateData(bool saveAndValidate = true);

    void MessageBox(const QString& text, QMessageBox::Icon icon, const QString& detail = {});
    void SetMessagePresenter(MessagePresenter presenter) { m_showMessage = std::move(presenter); }
    void SetHelpLauncher(HelpLauncher launcher) { m_launchHelp = std::move(launcher); }

    // The index of the group's checked button, -1 when none is checked.
    int CheckedRadioIndex(int firstId) const;
    void SetRadioIndex(int firstId, int index);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Control {
        const ControlItem* item;
        QWidget* widget;
        int group; // index into m_radioGroups for radio buttons, else -1
    };
    struct RadioGroupData {
        int firstId;
        QButtonGroup* buttons;
        std::vector<QAbstractButton*> list;
    };

    // The buttons of the radio group that starts with `firstId`, in template order.
    const std::vector<QAbstractButton*>& RadioGroup(int firstId) const;
    void CreateControls();
    QWidget* CreateControl(const ControlItem& item);
    void AssignRadioGroups();
    void ConnectNotifications();
    int IndexOf(const QObject* widget) const;
    QWidget* EntryOf(int index) const;
    QWidget* FocusTargetAfter(int index) const;
    std::vector<QWidget*> TabStops() const;
    bool HandleShortcut(int index, bool ambiguous);
    bool HandleArrowKey(int index, int key);
    void HandleFocusLost(int index, Qt::FocusReason reason);

    const DialogTemplate& m_template;
    std::vector<Control> m_controls;
    std::vector<RadioGroupData> m_radioGroups;
    MessagePresenter m_showMessage = ShowMessageBox;
    HelpLauncher m_launchHelp = LaunchHelpViewer;
    bool m_bExchanging = false;    // a read or write of the controls is under way
    bool m_bCheckingFocus = false; // a focus-loss notification is being handled
    bool m_bEnding = false;        // OK or Cancel is closing the dialog
    int m_nMessagesShown = 0;
    QPointer<QWidget> m_pSwallowPress; // a button whose pending press a message interrupted
};
