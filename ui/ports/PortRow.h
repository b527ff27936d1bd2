#pragma once

#include "ui/framework/DialogRunner.h"
#include "ui/ports/DeviceQueries.h"

#include <QGroupBox>
#include <vector>

class CPortProbe;
class CSerialLineEditor;
class CTargetBox;
class QComboBox;
class QLabel;
class QPushButton;

// One port in the Ports dialog: the device it sends to (chosen in a CTargetBox), whether that
// device is there and usable, what the printer reports, the line settings of a serial target,
// and a test that opens and closes the device.
class CPortRow : public QGroupBox {
    Q_OBJECT

public:
    // `runPrompt` runs the network-printer and file prompts; it must outlive the row.
    CPortRow(int port, const QString& title, const DialogRunner& runPrompt,
             QWidget* parent = nullptr);

    QString PortName() const { return m_assignment.name; }
    QString Uri() const;
    // A port set by an OUTPORT_* variable cannot be changed here.
    bool IsReadOnly() const { return m_assignment.fromEnvironment; }
    bool IsChanged() const;
    QComboBox* Target() const;

    // Lists `devices` (print queues among them) to choose from; what the row holds stays as it
    // is. `queuesKnown` says whether the print server has answered yet.
    void SetDevices(const std::vector<DeviceEntry>& devices, bool queuesKnown = true);
    // Says again whether the target is there, after devices came or went.
    void UpdateStatus();

private:
    void OnTargetEdited(const QString& text);
    void OnLineChanged();
    void OnTest();
    void OnTestFinished(bool opened, const QString& reason);
    void ShowStatus(const QString& text, const QString& detail);
    void ShowQueueStatus();
    void ShowPrinter(const TargetState& target);

    PortAssignment m_assignment;
    std::vector<DeviceEntry> m_devices;
    bool m_bQueuesKnown = false;
    CTargetBox* m_pTarget;
    QPushButton* m_pTest;
    QLabel* m_pStatus;
    QLabel* m_pPrinterIcon;
    QLabel* m_pPrinter; // what the printer reports, when the target is there
    QLabel* m_pOrigin;
    CSerialLineEditor* m_pLine;
    CPortProbe* m_pProbe;
};
