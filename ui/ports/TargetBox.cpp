#include "ui/ports/TargetBox.h"

#include "printer/outport/address/DeviceUri.h"
#include "ui/framework/PlainText.h"
#include "ui/ports/NetworkPrinterDialog.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

constexpr int kUriRole = Qt::UserRole;
constexpr int kActionRole = Qt::UserRole + 1;

// Arrow keys, page keys and the wheel step through the list.
bool IsStep(const QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->modifiers() == Qt::NoModifier &&
           (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
            key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown);
}

} // namespace

CTargetBox::CTargetBox(const QString& uri, const DialogRunner& runPrompt, QWidget* parent)
    : QComboBox(parent), m_runPrompt(runPrompt), m_strChosen(uri) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(40);
    connect(this, &QComboBox::activated, this, &CTargetBox::OnActivated);
    connect(this, &QComboBox::editTextChanged, this, &CTargetBox::OnTextChanged);
}

void CTargetBox::SetDevices(const std::vector<DeviceEntry>& devices) {
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    m_networkPrinters.clear();
    for (const DeviceEntry& device : devices) {
        if (IsNetworkServiceUri(device.uri)) {
            m_networkPrinters.push_back(device);
        }
        if (!device.problem.isEmpty()) {
            continue; // offered, with its problem, only by the Network printer dialog
        }
        const QString label =
            device.description.isEmpty()
                ? device.node
                : device.description + QStringLiteral(" (") + device.node + QLatin1Char(')');
        addItem(label, device.uri);
        setItemData(count() - 1, AsPlainText(device.uri), Qt::ToolTipRole);
    }
    if (count() > 0) {
        insertSeparator(count());
    }
    addItem(tr("Network printer\u2026"));
    setItemData(count() - 1, static_cast<int>(Action::NetworkPrinter), kActionRole);
    addItem(tr("Capture to file\u2026"));
    setItemData(count() - 1, static_cast<int>(Action::CaptureFile), kActionRole);
    setCurrentIndex(-1);
    setEditText(text);
}

bool CTargetBox::event(QEvent* event) {
    // Any choice made while this runs is known to come from stepping.
    const QScopedValueRollback stepping(m_bStepping, IsStep(event));
    return QComboBox::event(event);
}

// What the list shows is a name a person knows; what the box holds, and what is kept, is the
// device's URI.
void CTargetBox::OnActivated(int index) {
    const auto action = static_cast<Action>(itemData(index, kActionRole).toInt());
    if (m_bStepping && action != Action::None) {
        // Arrow keys and the wheel step over the prompts; they are chosen from the open list.
        setEditText(m_strChosen);
        return;
    }
    switch (action) {
    case Action::NetworkPrinter:
        ChooseNetworkPrinter();
        break;
    case Action::CaptureFile:
        ChooseCaptureFile();
        break;
    case Action::None:
        setEditText(itemData(index, kUriRole).toString());
        break;
    }
}

void CTargetBox::OnTextChanged(const QString& text) {
    const int item = findText(text);
    if (item >= 0 && itemData(item, kActionRole).toInt() != 0) {
        return; // the name of a prompt, on its way to being replaced
    }
    m_strChosen = text;
    emit TargetEdited(text);
}

void CTargetBox::ChooseNetworkPrinter() {
    CNetworkPrinterDialog prompt(m_networkPrinters, this);
    const bool chosen = m_runPrompt(prompt) == QDialog::Accepted;
    setEditText(chosen ? prompt.Uri() : m_strChosen);
}

void CTargetBox::ChooseCaptureFile() {
    // Start beside the capture file the port writes now, if it writes one.
    PortTarget current;
    const bool capturing = ParseDeviceUri(m_strChosen.toStdString(), current).ok() &&
                           current.kind == PortTarget::Kind::Capture;
    const QString folder =
        capturing ? QFileInfo(QString::fromStdString(current.path)).path() : QDir::homePath();
    QFileDialog prompt(this, tr("Capture to File"), folder);
    // Qt's own dialog: the same on every desktop, and one a test can type into.
    prompt.setOption(QFileDialog::DontUseNativeDialog);
    // Captures are appended to, so an existing file is a fine choice.
    prompt.setOption(QFileDialog::DontConfirmOverwrite);
    prompt.setAcceptMode(QFileDialog::AcceptSave);
    prompt.setFileMode(QFileDialog::AnyFile);
    const bool chosen =
        m_runPrompt(prompt) == QDialog::Accepted && !prompt.selectedFiles().isEmpty();
    setEditText(chosen ? QStringLiteral("file:") + prompt.selectedFiles().front() : m_strChosen);
}
