#pragma once

#include "ui/framework/DialogRunner.h"
#include "ui/ports/DeviceQueries.h"

#include <QComboBox>
#include <QString>
#include <vector>

class QEvent;

// The box a port's target is chosen or typed in: the devices and print queues found, then two
// prompts, for a network printer and a capture file, whose answers become the box's URI.
class CTargetBox : public QComboBox {
    Q_OBJECT

public:
    // `runPrompt` runs the network-printer and file prompts; it must outlive the box.
    CTargetBox(const QString& uri, const DialogRunner& runPrompt, QWidget* parent);

    // Lists `devices` to choose from; the text in the box stays as it is.
    void SetDevices(const std::vector<DeviceEntry>& devices);

signals:
    // The text now names a target (not a prompt's name on its way to being replaced).
    void TargetEdited(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    enum class Action { None, NetworkPrinter, CaptureFile };

    void OnActivated(int index);
    void OnTextChanged(const QString& text);
    void ChooseNetworkPrinter();
    void ChooseCaptureFile();

    const DialogRunner& m_runPrompt;
    std::vector<DeviceEntry> m_networkPrinters; // offered by the Network printer dialog
    QString m_strChosen;      // the target before the user picked a prompt from the list
    bool m_bStepping = false; // the box is handling an arrow key or the wheel
};
