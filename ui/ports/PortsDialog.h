#pragma once

#include "ui/framework/DialogMessage.h"
#include "ui/framework/DialogRunner.h"
#include "ui/ports/DeviceQueries.h"

#include <QDialog>
#include <array>

class CBackgroundCall;
class CDeviceWatch;
class CPortRow;
class QLabel;
class QTimer;

// Chooses the device behind each of the four ports and keeps the choices in outport.conf.
// The lists follow devices coming and going while the dialog is open, and offer the print
// queues of the user's CUPS server once it has answered, and the printers on the network, looked
// for again every few seconds while it is open.
class CPortsDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPortsDialog(DeviceLister listDevices = ListDevices, QWidget* parent = nullptr);

    void SetPromptRunner(DialogRunner runner) { m_runPrompt = std::move(runner); }
    void SetMessagePresenter(MessagePresenter presenter) { m_showMessage = std::move(presenter); }

    // Saves the ports that changed; on failure says why and stays open.
    void accept() override;

private:
    void RefreshDevices();
    void ShowDevices(bool queueRowsOnly);
    void OnQueuesFound(const QueueListing& listing);
    void SearchNetwork();
    void OnNetworkPrintersFound(const NetworkPrinterListing& listing);

    DeviceLister m_listDevices;
    QueueListing m_queues;
    bool m_bQueuesKnown = false;
    QLabel* m_pQueueNote; // while the queues are looked for, or why there are none
    CBackgroundCall* m_pQueueSearch;
    NetworkPrinterListing m_network;
    QLabel* m_pNetworkNote; // why no printers on the network can be looked for
    CBackgroundCall* m_pNetworkSearch;
    QTimer* m_pNetworkAgain;
    DialogRunner m_runPrompt = ExecDialog;
    MessagePresenter m_showMessage = ShowMessageBox;
    std::array<CPortRow*, 4> m_rows{};
    CDeviceWatch* m_pWatch;
};
