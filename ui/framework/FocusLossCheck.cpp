#include "ui/framework/FocusLossCheck.h"

#include "ui/framework/template/DialogControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <utility>

CFocusLossCheck::CFocusLossCheck(const CDialogControls& controls, Handler onFocusLost)
    : m_controls(controls), m_onFocusLost(std::move(onFocusLost)) {
    for (const DialogControl& control : m_controls.All()) {
        control.widget->installEventFilter(this);
    }
}

bool CFocusLossCheck::eventFilter(QObject* watched, QEvent* event) {
    const int index = m_controls.IndexOf(watched);
    if (index < 0) {
        return false;
    }
    switch (event->type()) {
    case QEvent::FocusOut:
        if (m_controls.At(index).item->kind == ControlKind::Edit) {
            // The box finishes losing the focus first (it drops its selection then), so a
            // check that hands the focus straight back leaves the text selected.
            watched->event(event);
            HandleFocusLost(index, static_cast<QFocusEvent*>(event)->reason());
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The press that moved the focus out of a box whose check then spoke to the user
        // does not go on to click: the user answered a message in between.
        const bool swallow = m_pSwallowPress == watched;
        m_pSwallowPress = nullptr;
        return swallow;
    }
    default:
        return false;
    }
}

void CFocusLossCheck::HandleFocusLost(int index, Qt::FocusReason reason) {
    // A context menu is no focus loss, and a dialog that is ending checks nothing more.
    if (m_bExchanging || m_bChecking || m_bEnding || reason == Qt::PopupFocusReason) {
        return;
    }
    QWidget* gaining = QApplication::focusWidget();
    const int messagesBefore = m_nMessagesShown;
    m_bChecking = true;
    m_onFocusLost(m_controls.At(index).item->id);
    m_bChecking = false;
    const bool interrupted =
        m_nMessagesShown != messagesBefore || QApplication::focusWidget() != gaining;
    if (reason == Qt::MouseFocusReason && interrupted &&
        qobject_cast<QAbstractButton*>(gaining) != nullptr) {
        m_pSwallowPress = gaining;
    }
}
