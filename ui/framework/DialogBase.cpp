#include "ui/framework/DialogBase.h"

#include "ui/framework/DataExchange.h"
#include "ui/framework/template/DialogBuilder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

CDialogBase::CDialogBase(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_template(dialogTemplate), m_controls(BuildDialogControls(dialogTemplate, this)),
      m_focusLossCheck(m_controls, [this](int id) { OnKillFocus(id); }),
      m_navigation(m_controls, this) {
    setWindowTitle(QCoreApplication::translate(m_template.translationContext, m_template.caption));
    ConnectClicks();
}

int CDialogBase::DoModal() {
    OnInitDialog();
    return exec();
}

void CDialogBase::Create() {
    OnInitDialog();
    show();
}

void CDialogBase::ConnectClicks() {
    for (const DialogControl& control : m_controls.All()) {
        auto* button = qobject_cast<QAbstractButton*>(control.widget);
        if (button == nullptr || control.item->id == kNoId) {
            continue;
        }
        const int id = control.item->id;
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (!m_focusLossCheck.Exchanging()) {
                OnClicked(id);
            }
        });
    }
}

bool CDialogBase::UpdateData(bool saveAndValidate) {
    if (m_focusLossCheck.Exchanging()) {
        return false;
    }
    const CFocusLossCheck::ExchangeScope exchanging(m_focusLossCheck);
    CDataExchange exchange(m_controls, saveAndValidate);
    DoDataExchange(&exchange);
    if (exchange.Failed()) {
        ReportFailedRead(exchange.FailedId());
    }
    return !exchange.Failed();
}

// Still inside the exchange: neither the message nor the focus coming back starts a check.
void CDialogBase::ReportFailedRead(int id) {
    MessageBox(tr("Please enter an integer."), QMessageBox::Warning);
    if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id))) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void CDialogBase::MessageBox(const QString& text, QMessageBox::Icon icon, const QString& detail) {
    m_focusLossCheck.NoteMessage();
    m_showMessage(this, DialogMessage{text, icon, detail});
}

void CDialogBase::OnInitDialog() {
    m_focusLossCheck.SetEnding(false);
    UpdateData(false);
    m_navigation.FocusFirst();
}

void CDialogBase::DoDataExchange(CDataExchange*) {}

void CDialogBase::OnClicked(int id) {
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialogBase::OnKillFocus(int) {}

void CDialogBase::OnOK() {
    if (UpdateData(true)) {
        m_focusLossCheck.SetEnding(true);
        QDialog::accept();
    }
}

void CDialogBase::OnCancel() {
    m_focusLossCheck.SetEnding(true);
    QDialog::reject();
}

void CDialogBase::OnHelp() {
    if (!m_launchHelp(HelpRequestForDialog(m_template.id))) {
        MessageBox(tr("Failed to launch help."), QMessageBox::Warning);
    }
}

// Escape, the window's close button and the default Cancel button all come here.
void CDialogBase::reject() {
    OnCancel();
}

void CDialogBase::keyPressEvent(QKeyEvent* event) {
    const auto held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F1 && held == Qt::NoModifier) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CDialogBase::focusNextPrevChild(bool next) {
    return m_navigation.MoveFocus(next);
}
