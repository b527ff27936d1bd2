#include "ui/ports/NetworkPrinterDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace {

constexpr int kRawPrintingPort = 9100;
constexpr int kUriRole = Qt::UserRole;

} // namespace

CNetworkPrinterDialog::CNetworkPrinterDialog(const std::vector<DeviceEntry>& found, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Network Printer"));
    auto* form = new QFormLayout(this);

    // Names and descriptions come from the network as they are: list items show plain text.
    m_pFound = new QListWidget(this);
    for (const DeviceEntry& printer : found) {
        const QString text = printer.description == printer.node
                                 ? printer.node
                                 : tr("%1 (%2)").arg(printer.description, printer.node);
        auto* item = new QListWidgetItem(
            printer.problem.isEmpty() ? text
                                      : tr("%1: cannot be used: %2").arg(text, printer.problem),
            m_pFound);
        item->setData(kUriRole, printer.uri);
        item->setToolTip(printer.uri);
        if (!printer.problem.isEmpty()) {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        }
    }
    auto* foundLabel = new QLabel(found.empty() ? tr("No printers were &found on the network.")
                                                : tr("Printers &found on the network:"),
                                  this);
    foundLabel->setBuddy(m_pFound);
    m_pFound->setVisible(!found.empty());
    form->addRow(foundLabel);
    form->addRow(m_pFound);

    m_pHost = new QLineEdit(this);
    // A name or an address; nothing that would end the host part of the URI, and no control
    // character, which no device URI may hold.
    m_pHost->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\\s\\p{Cc}/?#\\[\\]@]*")), m_pHost));
    m_pHost->setPlaceholderText(QStringLiteral("192.0.2.15"));
    form->addRow(tr("&Host name or address:"), m_pHost);

    m_pPort = new QSpinBox(this);
    m_pPort->setRange(1, 65535);
    m_pPort->setValue(kRawPrintingPort);
    form->addRow(tr("TCP &port:"), m_pPort);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    m_pOk->setEnabled(false);
    form->addRow(buttons);

    // Typing a host chooses it over a printer picked from the list, and picking one over the host.
    connect(m_pHost, &QLineEdit::textEdited, m_pFound, &QListWidget::clearSelection);
    connect(m_pFound, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_pFound->selectedItems().isEmpty()) {
            m_pHost->clear();
        }
        UpdateOk();
    });
    connect(m_pHost, &QLineEdit::textChanged, this, &CNetworkPrinterDialog::UpdateOk);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CNetworkPrinterDialog::UpdateOk() {
    m_pOk->setEnabled(!m_pHost->text().isEmpty() || !m_pFound->selectedItems().isEmpty());
}

QString CNetworkPrinterDialog::Uri() const {
    const QList<QListWidgetItem*> chosen = m_pFound->selectedItems();
    if (!chosen.isEmpty()) {
        return chosen.first()->data(kUriRole).toString();
    }
    const QString host = m_pHost->text();
    const QString shown =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("socket://") + shown + QLatin1Char(':') +
           QString::number(m_pPort->value());
}
