#include "ui/framework/TextFit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

// A push button's text shows in its contents rectangle, which the style keeps inside its frame
// and margins.
int PushButtonWidth(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int chrome = button->width() - contents.width();
    return chrome + button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
}

// Inserts a strip `extra` pixels wide at `edge`; controls ending at the edge widen with the one
// that needs the room, so a column of labels stays aligned.
void InsertStrip(const std::vector<DialogControl>& controls, int edge, int extra) {
    for (const DialogControl& control : controls) {
        QRect geometry = control.widget->geometry();
        const int right = geometry.x() + geometry.width();
        if (geometry.x() >= edge) {
            geometry.translate(extra, 0);
        } else if (right >= edge) {
            geometry.setWidth(geometry.width() + extra);
        }
        control.widget->setGeometry(geometry);
    }
}

} // namespace

int WidthForText(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text().isEmpty() ? 0 : label->sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        return button->text().isEmpty() ? 0 : PushButtonWidth(button);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text().isEmpty() ? 0 : button->sizeHint().width();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title().isEmpty() ? 0 : group->minimumSizeHint().width();
    }
    return 0;
}

void FitControlsToText(const std::vector<DialogControl>& controls, QWidget* dialog) {
    int grown = 0;
    for (const DialogControl& control : controls) {
        const int extra = WidthForText(control.widget) - control.widget->width();
        if (extra <= 0) {
            continue;
        }
        InsertStrip(controls, control.widget->x() + control.widget->width(), extra);
        grown += extra;
    }
    if (grown > 0) {
        dialog->setFixedSize(dialog->width() + grown, dialog->height());
    }
}
