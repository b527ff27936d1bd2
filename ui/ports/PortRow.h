#pragma once

#include "ui/framework/DialogRunner.h"
#include "ui/ports/DeviceQueries.h"

#include <QGroupBox>
#include <vector>

class CPortProbe;
class CSerialLineEditor;
class QComboBox;
class QLabel;
class QPushButton;

// One port in the Ports dialog: the device it sends to (a discovered device, a network
// printer, a capture file or a URI typed by hand), whether that device is there and usable,
// what the printer reports, the line settings of a serial target, and a test that opens and closes
// the device.
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
    QComboBox* Target() const { return m_pTarget; }

    // Lists `devices` (print queues among them) to choose from; what the row holds stays as it
    // is. `queuesKnown` says whether the print server has answered yet.
    void SetDevices(const std::vector<DeviceEntry>& devices, bool queuesKnown = true);
    // Says again whether the target is there, after devices came or went.
    void UpdateStatus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Action { None, NetworkPrinter, CaptureFile };

    void OnActivated(int index);
    void OnTextChanged(const QString& text);
    void OnLineChanged();
    void OnTest();
    void OnTestFinished(bool opened, const QString& reason);
    void ChooseNetworkPrinter();
    void ChooseCaptureFile();
    void ShowStatus(const QString& text, const QString& detail);
    void ShowQueueStatus();
    void ShowPrinter(const TargetState& target);

    PortAssignment m_assignment;
    const DialogRunner& m_runPrompt;
    QString m_strChosen;      // the target before the user picked a prompt from the list
    bool m_bStepping = false; // the box is handling an arrow key or the wheel
    std::vector<DeviceEntry> m_devices;
    bool m_bQueuesKnown = false;
    QComboBox* m_pTarget;
    QPushButton* m_pTest;
    QLabel* m_pStatus;
    QLabel* m_pPrinterIcon;
    QLabel* m_pPrinter; // what the printer reports, when the target is there
    QLabel* m_pOrigin;
    CSerialLineEditor* m_pLine;
    CPortProbe* m_pProbe;
};
