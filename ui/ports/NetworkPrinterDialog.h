#pragma once

#include "ui/ports/DeviceQueries.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// Offers the printers found on the network, kept by their dnssd:// names, or asks for a
// network printer's host and raw TCP port.
class CNetworkPrinterDialog : public QDialog {
    Q_OBJECT

public:
    // `found`: the printers on the network; one with a problem is shown but cannot be chosen.
    explicit CNetworkPrinterDialog(const std::vector<DeviceEntry>& found = {},
                                   QWidget* parent = nullptr);

    // The chosen printer's dnssd:// URI, else socket://HOST:PORT with an IPv6 address in
    // brackets.
    QString Uri() const;

private:
    void UpdateOk();

    QListWidget* m_pFound;
    QLineEdit* m_pHost;
    QSpinBox* m_pPort;
    QPushButton* m_pOk;
};
