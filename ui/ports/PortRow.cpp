#include "ui/ports/PortRow.h"

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/SerialUri.h"
#include "ui/framework/PlainText.h"
#include "ui/ports/PortProbe.h"
#include "ui/ports/PrinterHealth.h"
#include "ui/ports/SerialLineEditor.h"
#include "ui/ports/TargetBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace {

// The serial target a URI names, if it names one.
bool ParseSerial(const QString& uri, PortTarget& target) {
    return ParseDeviceUri(uri.toStdString(), target).ok() &&
           target.kind == PortTarget::Kind::Serial;
}

} // namespace

CPortRow::CPortRow(int port, const QString& title, const DialogRunner& runPrompt, QWidget* parent)
    : QGroupBox(title, parent), m_assignment(LookUpPortAssignment(port)) {
    setObjectName(m_assignment.name);

    m_pTarget = new CTargetBox(m_assignment.uri, runPrompt, this);
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
    OnTargetEdited(m_assignment.uri);
    if (IsReadOnly()) {
        m_pTarget->setEnabled(false);
        m_pLine->setEnabled(false);
        m_pOrigin->setText(tr("set by %1").arg(m_assignment.origin));
    }
    m_pOrigin->setVisible(IsReadOnly());

    connect(m_pTarget, &CTargetBox::TargetEdited, this, &CPortRow::OnTargetEdited);
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

QComboBox* CPortRow::Target() const {
    return m_pTarget;
}

void CPortRow::SetDevices(const std::vector<DeviceEntry>& devices, bool queuesKnown) {
    m_devices = devices;
    m_bQueuesKnown = queuesKnown;
    m_pTarget->SetDevices(devices);
}

void CPortRow::OnTargetEdited(const QString& /*text*/) {
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
