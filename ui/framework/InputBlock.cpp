#include "ui/framework/InputBlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

} // namespace

// Filtering the application sees each event before the control it is for, and before the
// dialog's own filters on its controls.
CInputBlock::CInputBlock(QWidget* window) : m_pWindow(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

CInputBlock::~CInputBlock() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool CInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (IsUserInput(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_pWindow) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
