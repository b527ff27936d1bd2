#include "ui/framework/template/DialogAccessibility.h"

#include "ui/framework/template/SvgPicture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

namespace {

constexpr const char* kGroupingPanel = "radioGroupPanel"; // property of the panels made here
constexpr int kUnitLabelReach = 4; // dialog units between a box and its unit label at most

QAccessibleInterface* RoleByKind(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String("CSvgPicture")) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    const auto* frame = qobject_cast<QFrame*>(widget);
    if (className == QLatin1String("QFrame") && frame->frameShape() == QFrame::HLine) {
        return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    if (className == QLatin1String("QWidget") && widget->property(kGroupingPanel).toBool()) {
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    }
    return nullptr;
}

QRect Units(const ControlItem& item) {
    return {item.x, item.y, item.width, item.height};
}

// The group box whose rectangle holds the whole group, or a new panel just around it.
QWidget* ContainerOf(const std::vector<DialogControl>& controls, const RadioGroup& group,
                     QWidget* dialog) {
    QRect units;
    QRect pixels;
    int first = static_cast<int>(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& buttons = group.buttons;
        if (std::find(buttons.begin(), buttons.end(), controls[i].widget) != buttons.end()) {
            units |= Units(*controls[i].item);
            pixels |= controls[i].widget->geometry();
            first = std::min(first, static_cast<int>(i));
        }
    }
    QString name;
    for (int i = first - 1; i >= 0; --i) {
        const DialogControl& control = controls[static_cast<std::size_t>(i)];
        if (control.item->kind == ControlKind::GroupBox && Units(*control.item).contains(units)) {
            return control.widget;
        }
        if (control.item->kind == ControlKind::Label && name.isEmpty()) {
            name = WithoutAccessKeyMarks(static_cast<QLabel*>(control.widget)->text());
        }
    }
    auto* panel = new QWidget(dialog);
    panel->setGeometry(pixels);
    panel->setProperty(kGroupingPanel, true);
    panel->setAccessibleName(name);
    return panel;
}

} // namespace

QString WithoutAccessKeyMarks(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i; // "&&" stands for one '&'
        }
        plain += text[i];
    }
    return plain;
}

void InstallAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(RoleByKind);
        return true;
    }();
    Q_UNUSED(installed);
}

void PlaceRadioGroups(const std::vector<DialogControl>& controls,
                      const std::vector<RadioGroup>& groups, QWidget* dialog) {
    for (const RadioGroup& group : groups) {
        QWidget* container = ContainerOf(controls, group, dialog);
        for (QAbstractButton* button : group.buttons) {
            const QRect geometry = button->geometry();
            button->setParent(container);
            button->setGeometry(geometry.translated(-container->pos()));
        }
    }
}

void LinkUnitLabels(std::vector<DialogControl>& controls) {
    for (const DialogControl& box : controls) {
        if (box.item->kind != ControlKind::Edit) {
            continue;
        }
        const QRect boxUnits = Units(*box.item);
        for (DialogControl& label : controls) {
            const QRect labelUnits = Units(*label.item);
            const int gap = labelUnits.left() - (boxUnits.left() + boxUnits.width());
            if (label.item->kind == ControlKind::Label && gap >= 0 && gap <= kUnitLabelReach &&
                labelUnits.top() <= boxUnits.bottom() && boxUnits.top() <= labelUnits.bottom()) {
                label.describes = box.widget;
                box.widget->setAccessibleDescription(static_cast<QLabel*>(label.widget)->text());
            }
        }
    }
}
