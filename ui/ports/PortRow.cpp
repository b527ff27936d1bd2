#include "ui/ports/PortRow.h"

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/SerialUri.h"
#include "ui/framework/PlainText.h"
#include "ui/ports/NetworkPrinterDialog.h"
#include "ui/ports/PortProbe.h"
#include "ui/ports/PrinterHealth.h"
#include "ui/ports/SerialLineEditor.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <iterator>

namespace {

constexpr int kUriRole = Qt::UserRole;
constexpr int kActionRole = Qt::UserRole + 1;

// The serial target a URI names, if it names one.
bool ParseSerial(const QString& uri, PortTarget& target) {
    return ParseDeviceUri(uri.toStdString(), target).ok() &&
           target.kind == PortTarget::Kind::Serial;
}

} // namespace

CPortRow::CPortRow(int port, const QString& title, const DialogRunner& runPrompt, QWidget* parent)
    : QGroupBox(title, parent), m_assignment(LookUpPortAssignment(port)), m_runPrompt(runPrompt),
      m_strChosen(m_assignment.uri) {
    setObjectName(m_assignment.name);

    m_pTarget = new QComboBox(this);
    m_pTarget->setEditable(true);
    m_pTarget->setInsertPolicy(QComboBox::NoInsert);
    m_pTarget->setCompleter(nullptr);
    m_pTarget->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pTarget->setMinimumContentsLength(40);
    m_pTarget->setAccessibleName(tr("Device of %1").arg(m_assignment.name));

    m_pTest = new QPushButton(tr("Test"), this);
    m_pTest->setObjectName(QStringLiteral("test"));
    m_pTest->setAutoDefault(false);
    m_pTest->setAccessibleName(tr("Test %1").arg(m_assignment.name));
    m_pTest->setToolTip(tr("Open the device and close it again without sending anything"));

    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("status"));
    m_pStatus->setTextFormat(Qt::PlainText); // reasons name devices, paths and URIs
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pStatus->setWordWrap(true); // reasons can be long
    m_pPrinterIcon = new QLabel(this);
    m_pPrinterIcon->setObjectName(QStringLiteral("printerIcon"));
    m_pPrinter = new QLabel(this);
    m_pPrinter->setObjectName(QStringLiteral("printer"));
    m_pPrinter->setTextFormat(Qt::PlainText); // a printer's or queue's own words
    m_pPrinter->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pPrinter->setWordWrap(true);
    auto* printerLine = new QHBoxLayout;
    printerLine->addWidget(m_pPrinterIcon);
    printerLine->addWidget(m_pPrinter, 1);
    m_pOrigin = new QLabel(this);
    m_pOrigin->setObjectName(QStringLiteral("origin"));
    m_pOrigin->setTextFormat(Qt::PlainText);
    m_pLine = new CSerialLineEditor(this);
    QSizePolicy keepPlace = m_pLine->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true); // the dialog does not jump as targets change
    m_pLine->setSizePolicy(keepPlace);
    m_pProbe = new CPortProbe(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_pTarget, 0, 0);
    grid->addWidget(m_pTest, 0, 1);
    grid->addWidget(m_pStatus, 1, 0, 1, 2);
    grid->addLayout(printerLine, 2, 0, 1, 2);
    grid->addWidget(m_pLine, 3, 0, 1, 2);
    grid->addWidget(m_pOrigin, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    SetDevices({}, false);
    m_pTarget->setEditText(m_assignment.uri);
    OnTextChanged(m_assignment.uri);
    if (IsReadOnly()) {
        m_pTarget->setEnabled(false);
        m_pLine->setEnabled(false);
        m_pOrigin->setText(tr("set by %1").arg(m_assignment.origin));
    }
    m_pOrigin->setVisible(IsReadOnly());

    m_pTarget->installEventFilter(this);
    connect(m_pTarget, &QComboBox::activated, this, &CPortRow::OnActivated);
    connect(m_pTarget, &QComboBox::editTextChanged, this, &CPortRow::OnTextChanged);
    connect(m_pLine, &CSerialLineEditor::Changed, this, &CPortRow::OnLineChanged);
    connect(m_pTest, &QPushButton::clicked, this, &CPortRow::OnTest);
    connect(m_pProbe, &CPortProbe::Finished, this, &CPortRow::OnTestFinished);
}

// Blanks at the ends are kept, so the row refuses them as the parser does: trimmed away, the
// port would send to another file than the one named.
QString CPortRow::Uri() const {
    const QString text = m_pTarget->currentText();
    return text.trimmed().isEmpty() ? QString() : text;
}

bool CPortRow::IsChanged() const {
    return !IsReadOnly() && Uri() != m_assignment.uri;
}

void CPortRow::SetDevices(const std::vector<DeviceEntry>& devices, bool queuesKnown) {
    m_devices = devices;
    m_bQueuesKnown = queuesKnown;
    const QSignalBlocker blocker(m_pTarget);
    const QString text = m_pTarget->currentText();
    m_pTarget->clear();
    for (const DeviceEntry& device : devices) {
        if (!device.problem.isEmpty()) {
            continue; // offered, with its problem, only by the Network printer dialog
        }
        const QString label =
            device.description.isEmpty()
                ? device.node
                : device.description + QStringLiteral(" (") + device.node + QLatin1Char(')');
        m_pTarget->addItem(label, device.uri);
        m_pTarget->setItemData(m_pTarget->count() - 1, AsPlainText(device.uri), Qt::ToolTipRole);
    }
    if (m_pTarget->count() > 0) {
        m_pTarget->insertSeparator(m_pTarget->count());
    }
    m_pTarget->addItem(tr("Network printer\u2026"));
    m_pTarget->setItemData(m_pTarget->count() - 1, static_cast<int>(Action::NetworkPrinter),
                           kActionRole);
    m_pTarget->addItem(tr("Capture to file\u2026"));
    m_pTarget->setItemData(m_pTarget->count() - 1, static_cast<int>(Action::CaptureFile),
                           kActionRole);
    m_pTarget->setCurrentIndex(-1);
    m_pTarget->setEditText(text);
}

bool CPortRow::eventFilter(QObject* watched, QEvent* event) {
    bool step = event->type() == QEvent::Wheel;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        step = key->modifiers() == Qt::NoModifier &&
               (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown);
    }
    if (watched != m_pTarget || !step) {
        return QGroupBox::eventFilter(watched, event);
    }
    // The box handles the event now, so any choice it makes is known to come from stepping.
    m_bStepping = true;
    const bool handled = m_pTarget->event(event);
    m_bStepping = false;
    return handled;
}

// What the list shows is a name a person knows; what the box holds, and what is kept, is the
// device's URI.
void CPortRow::OnActivated(int index) {
    const auto action = static_cast<Action>(m_pTarget->itemData(index, kActionRole).toInt());
    if (m_bStepping && action != Action::None) {
        // Arrow keys and the wheel step over the prompts; they are chosen from the open list.
        m_pTarget->setEditText(m_strChosen);
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
        m_pTarget->setEditText(m_pTarget->itemData(index, kUriRole).toString());
        break;
    }
}

void CPortRow::ChooseNetworkPrinter() {
    std::vector<DeviceEntry> found;
    std::copy_if(m_devices.begin(), m_devices.end(), std::back_inserter(found),
                 [](const DeviceEntry& device) { return IsNetworkServiceUri(device.uri); });
    CNetworkPrinterDialog prompt(found, this);
    const bool chosen = m_runPrompt(prompt) == QDialog::Accepted;
    m_pTarget->setEditText(chosen ? prompt.Uri() : m_strChosen);
}

void CPortRow::ChooseCaptureFile() {
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
    m_pTarget->setEditText(chosen ? QStringLiteral("file:") + prompt.selectedFiles().front()
                                  : m_strChosen);
}

void CPortRow::OnTextChanged(const QString& text) {
    const int item = m_pTarget->findText(text);
    if (item >= 0 && m_pTarget->itemData(item, kActionRole).toInt() != 0) {
        return; // the name of a prompt, on its way to being replaced
    }
    m_strChosen = text;
    PortTarget target;
    const bool serial = ParseSerial(Uri(), target);
    if (serial) {
        m_pLine->SetOptions(target.serial);
    }
    m_pLine->setVisible(serial);
    UpdateStatus();
}

void CPortRow::OnLineChanged() {
    PortTarget target;
    if (ParseSerial(Uri(), target)) {
        m_pTarget->setEditText(QString::fromStdString(SerialUri(target.path, m_pLine->Options())));
    }
}

void CPortRow::UpdateStatus() {
    if (Uri().isEmpty()) {
        ShowPrinter({});
        // Saved empty, the port goes back to its default; unread, the file says why.
        ShowStatus(m_assignment.error.isEmpty() ? tr("empty: the port's default device is used")
                                                : m_assignment.error,
                   {});
        m_pTarget->setToolTip({});
        return;
    }
    if (IsPrintQueueUri(Uri())) {
        ShowPrinter({});   // the queue's state is its status
        ShowQueueStatus(); // only its server can say more, and Test asks it
        return;
    }
    const TargetState target = DescribeTarget(Uri());
    ShowPrinter(target);
    ShowStatus(target.status, target.fix);
    QString where = target.device;
    if (!target.description.isEmpty()) {
        where += QStringLiteral(" \u2014 ") + target.description;
    }
    m_pTarget->setToolTip(AsPlainText(where));
}

// A queue's state as the print server last listed it.
void CPortRow::ShowQueueStatus() {
    const QString uri = Uri();
    const auto listed =
        std::find_if(m_devices.begin(), m_devices.end(),
                     [&uri](const DeviceEntry& device) { return device.uri == uri; });
    if (listed != m_devices.end()) {
        ShowStatus(tr("print queue: %1").arg(listed->state), {});
    } else if (!m_bQueuesKnown) {
        ShowStatus(tr("looking for print queues\u2026"), {});
    } else {
        ShowStatus(tr("print queue: Test asks its server whether it takes jobs"), {});
    }
    m_pTarget->setToolTip(AsPlainText(listed != m_devices.end() ? listed->description : uri));
}

void CPortRow::ShowStatus(const QString& text, const QString& detail) {
    const QString status = detail.isEmpty() ? text : text + QLatin1Char('\n') + detail;
    m_pStatus->setText(status);
    m_pStatus->setToolTip(AsPlainText(detail));
    // Read out with the box, not found beside it.
    const QString printer = m_pPrinter->text();
    m_pTarget->setAccessibleDescription(printer.isEmpty() ? status
                                                          : status + QLatin1Char('\n') + printer);
}

// Only a target that is there can say anything about its printer.
void CPortRow::ShowPrinter(const TargetState& target) {
    const bool shown = target.valid && target.present;
    const PrinterHealth health = HealthOf(target.printer);
    const bool sign = shown && health != PrinterHealth::Unreported;
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_pPrinterIcon->setPixmap(sign ? HealthIcon(health).pixmap(size, size) : QPixmap());
    m_pPrinterIcon->setAccessibleName(sign ? HealthName(health) : QString());
    m_pPrinterIcon->setVisible(sign);
    m_pPrinter->setText(shown ? tr("printer: %1").arg(target.printer.words) : QString());
    m_pPrinter->setVisible(shown);
}

void CPortRow::OnTest() {
    m_pTest->setEnabled(false);
    ShowStatus(tr("testing\u2026"), {});
    m_pProbe->Start(Uri());
}

void CPortRow::OnTestFinished(bool opened, const QString& reason) {
    m_pTest->setEnabled(true);
    if (opened) {
        ShowStatus(IsPrintQueueUri(Uri()) ? tr("test passed: the queue is there and accepts jobs")
                                          : tr("test passed: the device opened and closed again"),
                   {});
    } else {
        ShowStatus(tr("test failed"), reason);
    }
}
