#include "ui/ports/NetworkPrinterDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace {

constexpr int kRawPrintingPort = 9100;

} // namespace

CNetworkPrinterDialog::CNetworkPrinterDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Network Printer"));
    auto* form = new QFormLayout(this);

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

    connect(m_pHost, &QLineEdit::textChanged, this,
            [this](const QString& host) { m_pOk->setEnabled(!host.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CNetworkPrinterDialog::Uri() const {
    const QString host = m_pHost->text();
    const QString shown =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("socket://") + shown + QLatin1Char(':') +
           QString::number(m_pPort->value());
}
