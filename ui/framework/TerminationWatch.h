#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QDialog;
class QSocketNotifier;

// While it lives, SIGINT, SIGTERM and SIGHUP (a desktop logging out, a terminal closing) close
// `dialog` as its Cancel would, instead of ending the process at once: a Send under way is
// cancelled, so the port is released, and the dialog's clean-up runs. The handler only writes to
// a pipe; the dialog is closed from the event loop. One at a time.
class CTerminationWatch : public QObject {
    Q_OBJECT

public:
    explicit CTerminationWatch(QDialog& dialog);
    ~CTerminationWatch() override; // puts the previous handlers back
    CTerminationWatch(const CTerminationWatch&) = delete;
    CTerminationWatch& operator=(const CTerminationWatch&) = delete;

    // The signal that closed the dialog; 0 when none did.
    int Received() const { return m_nReceived; }

private:
    void OnSignal();

    QDialog& m_dialog;
    std::array<int, 2> m_pipe{-1, -1};
    QSocketNotifier* m_pNotifier = nullptr;
    std::array<struct sigaction, 3> m_previous{};
    int m_nReceived = 0;
};
