#pragma once

#include "printer/outport/address/DeviceUri.h"

#include <QWidget>

class QComboBox;

// The line settings of a serial target: speed, data bits, parity, stop bits and flow control.
class CSerialLineEditor : public QWidget {
    Q_OBJECT

public:
    explicit CSerialLineEditor(QWidget* parent = nullptr);

    SerialOptions Options() const;
    // Shows `options`; only a choice the user makes reports a change.
    void SetOptions(const SerialOptions& options);

signals:
    void Changed();

private:
    QComboBox* AddField(const QString& label);

    QComboBox* m_pSpeed;
    QComboBox* m_pBits;
    QComboBox* m_pParity;
    QComboBox* m_pStop;
    QComboBox* m_pFlow;
};
