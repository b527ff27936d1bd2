#include "ui/framework/template/TextFit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
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

// A group box's title shows in the label rectangle the style puts in its top edge.
int GroupBoxWidth(const QGroupBox* group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    return label.x() + label.width();
}

bool ShowsTemplateTexts(const std::vector<DialogControl>& controls) {
    return std::all_of(controls.begin(), controls.end(), [](const DialogControl& control) {
        const QString text = ControlText(control.widget);
        return text.isEmpty() || text == QString::fromUtf8(control.item->text);
    });
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

QString ControlText(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    return {};
}

int WidthForText(const QWidget* control) {
    if (ControlText(control).isEmpty()) {
        return 0;
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        return PushButtonWidth(button);
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return GroupBoxWidth(group);
    }
    return control->sizeHint().width(); // labels and radio buttons: text, indicator, margins
}

void FitControlsToText(const std::vector<DialogControl>& controls, QWidget* dialog) {
    if (ShowsTemplateTexts(controls)) {
        return;
    }
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
