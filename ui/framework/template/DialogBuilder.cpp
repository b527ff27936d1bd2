#include "ui/framework/template/DialogBuilder.h"

#include "ui/framework/template/DialogAccessibility.h"
#include "ui/framework/template/DialogUnits.h"
#include "ui/framework/template/SvgPicture.h"
#include "ui/framework/template/TextFit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

Qt::Alignment AlignmentOf(const ControlItem& item) {
    const Qt::Alignment vertical =
        item.kind == ControlKind::Label ? Qt::AlignTop : Qt::AlignVCenter;
    if (item.style & kAlignRight) {
        return Qt::AlignRight | vertical;
    }
    if (item.style & kAlignCenter) {
        return Qt::AlignHCenter | vertical;
    }
    return Qt::AlignLeft | vertical;
}

// What a control shows: its text in the user's language; a picture's resource path as it is.
QString ShownText(const ControlItem& item, const char* context) {
    if (item.kind == ControlKind::Picture || *item.text == '\0') {
        return QString::fromUtf8(item.text);
    }
    return QCoreApplication::translate(context, item.text);
}

QWidget* CreateControl(const ControlItem& item, const char* context, QWidget* dialog) {
    const QString text = ShownText(item, context);
    switch (item.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(text, dialog);
    case ControlKind::RadioButton:
        // Auto-exclusive, so that it is reported as a radio button; its QButtonGroup decides.
        return new QRadioButton(text, dialog);
    case ControlKind::Label: {
        auto* label = new QLabel(text, dialog);
        label->setAlignment(AlignmentOf(item));
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(dialog);
        edit->setAlignment(AlignmentOf(item));
        return edit;
    }
    case ControlKind::HorizontalLine: {
        auto* line = new QFrame(dialog);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, dialog);
        button->setAutoDefault(true);
        button->setDefault((item.style & kDefaultButton) != 0);
        return button;
    }
    case ControlKind::Picture:
        return new CSvgPicture(text, dialog);
    case ControlKind::ComboBox:
        return new QComboBox(dialog);
    }
    return new QWidget(dialog);
}

// A group runs from its starting radio button to its ending one; only radio buttons belong.
std::vector<RadioGroup> AssignRadioGroups(std::vector<DialogControl>& controls, QWidget* dialog) {
    std::vector<RadioGroup> groups;
    QButtonGroup* open = nullptr; // the group being filled
    for (DialogControl& control : controls) {
        if (control.item->kind != ControlKind::RadioButton) {
            continue;
        }
        if (control.item->style & kGroupStart) {
            groups.push_back({control.item->id, {}});
            open = new QButtonGroup(dialog); // exclusive
        }
        if (open == nullptr) {
            continue;
        }
        auto* button = static_cast<QAbstractButton*>(control.widget);
        open->addButton(button);
        groups.back().buttons.push_back(button);
        control.group = static_cast<int>(groups.size()) - 1;
        if (control.item->style & kGroupEnd) {
            open = nullptr;
        }
    }
    return groups;
}

void LinkLabels(const CDialogControls& controls) {
    const auto& all = controls.All();
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(all[i].widget);
        QWidget* target = controls.FocusTargetAfter(static_cast<int>(i));
        if (label == nullptr || target == nullptr) {
            continue;
        }
        const bool nextIsItsBox =
            i + 1 < all.size() && (all[i + 1].item->kind == ControlKind::Edit ||
                                   all[i + 1].item->kind == ControlKind::ComboBox);
        if (nextIsItsBox) {
            all[i + 1].widget->setAccessibleName(WithoutAccessKeyMarks(label->text()));
            label->setBuddy(all[i + 1].widget);
        } else if (label->text().contains(QLatin1Char('&'))) {
            label->setBuddy(target);
        }
    }
}

} // namespace

CDialogControls BuildDialogControls(const DialogTemplate& dialogTemplate, QWidget* dialog) {
    InstallAccessibleRoles();
    const DialogUnitBase base{QFontMetrics(dialog->font())};
    dialog->setFixedSize(
        DialogUnitsToPixels(QRect(0, 0, dialogTemplate.width, dialogTemplate.height), base).size());
    std::vector<DialogControl> controls;
    for (const ControlItem& item : dialogTemplate.controls) {
        QWidget* widget = CreateControl(item, dialogTemplate.translationContext, dialog);
        widget->setGeometry(
            DialogUnitsToPixels(QRect(item.x, item.y, item.width, item.height), base));
        controls.push_back({&item, widget, -1, nullptr});
    }
    FitControlsToText(controls, dialog);
    std::vector<RadioGroup> groups = AssignRadioGroups(controls, dialog);
    PlaceRadioGroups(controls, groups, dialog);
    LinkUnitLabels(controls);
    CDialogControls built(std::move(controls), std::move(groups));
    LinkLabels(built);
    return built;
}
