#pragma once

#include "printer/outport/OutPort.h"

#include <array>
#include <csignal>

// While it lives, SIGINT, SIGTERM and SIGHUP cancel the send that uses `cancel` instead of ending
// the process at once: the port library then flushes and releases the port (a serial line's
// exclusive hold included) before the send returns, and the command can exit as the signal asks.
// One at a time.
class CancelOnSignal {
public:
    explicit CancelOnSignal(OutPortCancel* cancel);
    ~CancelOnSignal(); // puts the previous handlers back
    CancelOnSignal(const CancelOnSignal&) = delete;
    CancelOnSignal& operator=(const CancelOnSignal&) = delete;

    // The last of these signals that arrived; 0 when none did.
    static int Received();

private:
    std::array<struct sigaction, 3> m_previous;
};
