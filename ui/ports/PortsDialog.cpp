#include "ui/ports/PortsDialog.h"

#include "ui/ports/BackgroundCall.h"
#include "ui/ports/DeviceQueries.h"
#include "ui/ports/DeviceWatch.h"
#include "ui/ports/PortConfigWriter.h"
#include "ui/ports/PortRow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>
#include <vector>

CPortsDialog::CPortsDialog(DeviceLister listDevices, QWidget* parent)
    : QDialog(parent), m_listDevices(std::move(listDevices)),
      m_pQueueSearch(new CBackgroundCall(this)), m_pNetworkSearch(new CBackgroundCall(this)),
      m_pNetworkAgain(new QTimer(this)), m_pWatch(new CDeviceWatch(this)) {
    setWindowTitle(tr("Ports"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Choose the device each port sends to. A serial adapter or USB "
                                "printer is kept by a name that survives unplugging."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    const std::array<QString, 4> titles{tr("COM&1"), tr("COM&2"), tr("&LPT1"), tr("LP&T2")};
    for (int port = 0; port < 4; ++port) {
        auto* row = new CPortRow(port, titles[static_cast<std::size_t>(port)], m_runPrompt, this);
        m_rows[static_cast<std::size_t>(port)] = row;
        layout->addWidget(row);
    }

    m_pQueueNote = new QLabel(tr("looking for print queues\u2026"), this);
    m_pQueueNote->setObjectName(QStringLiteral("queues"));
    m_pQueueNote->setWordWrap(true);
    layout->addWidget(m_pQueueNote);
    m_pNetworkNote = new QLabel(this);
    m_pNetworkNote->setObjectName(QStringLiteral("networkPrinters"));
    m_pNetworkNote->setTextFormat(Qt::PlainText);
    m_pNetworkNote->setWordWrap(true);
    m_pNetworkNote->hide();
    layout->addWidget(m_pNetworkNote);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Access keys as in the setup dialog; not every platform theme gives them.
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPortsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPortsDialog::reject);
    connect(m_pWatch, &CDeviceWatch::DevicesChanged, this, &CPortsDialog::RefreshDevices);
    RefreshDevices();
    m_pQueueSearch->Start([this](OutPortCancel* cancel) {
        QueueListing listing = ListQueues(cancel);
        return [this, listing = std::move(listing)] { OnQueuesFound(listing); };
    });
    // Printers come and go on a network without notice: each search is a fresh look.
    constexpr int kNetworkSearchIntervalMs = 3000;
    m_pNetworkAgain->setSingleShot(true);
    m_pNetworkAgain->setInterval(kNetworkSearchIntervalMs);
    connect(m_pNetworkAgain, &QTimer::timeout, this, &CPortsDialog::SearchNetwork);
    SearchNetwork();
}

void CPortsDialog::SearchNetwork() {
    m_pNetworkSearch->Start([this](OutPortCancel* cancel) {
        NetworkPrinterListing listing = ListNetworkPrinters(cancel);
        return [this, listing = std::move(listing)] { OnNetworkPrintersFound(listing); };
    });
}

void CPortsDialog::OnNetworkPrintersFound(const NetworkPrinterListing& listing) {
    // The rows are filled again only for a change, which would otherwise redo what they show.
    const bool changed = listing.printers != m_network.printers;
    m_network = listing;
    m_pNetworkNote->setText(
        listing.problem.isEmpty() ? QString() : tr("network printers: %1").arg(listing.problem));
    m_pNetworkNote->setVisible(!listing.problem.isEmpty());
    if (changed) {
        RefreshDevices();
    }
    // Without a daemon there is nothing to look at until the dialog is opened again.
    if (listing.problem.isEmpty()) {
        m_pNetworkAgain->start();
    }
}

void CPortsDialog::RefreshDevices() {
    ShowDevices(false);
}

// A queue listing says nothing new of the other rows, whose status may be a Test's result by
// now (the listing can come late: it loads the print-queue module first).
void CPortsDialog::ShowDevices(bool queueRowsOnly) {
    std::vector<DeviceEntry> devices = m_listDevices();
    devices.insert(devices.end(), m_queues.queues.begin(), m_queues.queues.end());
    devices.insert(devices.end(), m_network.printers.begin(), m_network.printers.end());
    for (CPortRow* row : m_rows) {
        row->SetDevices(devices, m_bQueuesKnown);
        if (!queueRowsOnly || IsPrintQueueUri(row->Uri())) {
            row->UpdateStatus();
        }
    }
}

void CPortsDialog::OnQueuesFound(const QueueListing& listing) {
    m_queues = listing;
    m_bQueuesKnown = true;
    m_pQueueNote->setText(
        listing.problem.isEmpty() ? QString() : tr("No print queues: %1").arg(listing.problem));
    m_pQueueNote->setVisible(!listing.problem.isEmpty());
    ShowDevices(true);
}

void CPortsDialog::accept() {
    std::vector<PortChoice> choices;
    for (CPortRow* row : m_rows) {
        if (!row->IsChanged()) {
            continue;
        }
        // An empty box gives the port back its default; anything else must be a device.
        const QString problem = row->Uri().isEmpty() ? QString() : UriProblem(row->Uri());
        if (!problem.isEmpty()) {
            row->Target()->setFocus(Qt::OtherFocusReason);
            m_showMessage(this,
                          {tr("%1: %2").arg(row->PortName(), problem), QMessageBox::Warning, {}});
            return;
        }
        choices.push_back({row->PortName().toStdString(), row->Uri().toStdString()});
    }
    if (!choices.empty()) {
        const std::string error = SavePortChoices(choices);
        if (!error.empty()) {
            m_showMessage(this, {QString::fromStdString(error), QMessageBox::Warning, {}});
            return;
        }
    }
    QDialog::accept();
}
