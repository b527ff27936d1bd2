#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;

// Asks for a network printer's host and raw TCP port.
class CNetworkPrinterDialog : public QDialog {
    Q_OBJECT

public:
    explicit CNetworkPrinterDialog(QWidget* parent = nullptr);

    // socket://HOST:PORT, with an IPv6 address in brackets.
    QString Uri() const;

private:
    QLineEdit* m_pHost;
    QSpinBox* m_pPort;
    QPushButton* m_pOk;
};
