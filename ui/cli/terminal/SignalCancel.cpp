#include "ui/cli/terminal/SignalCancel.h"

#include <atomic>

namespace {

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

// Read in the handler, so lock-free and set before the handlers go in.
std::atomic<OutPortCancel*> g_cancel{nullptr};
volatile std::sig_atomic_t g_received = 0;

extern "C" void CancelSend(int signal) {
    g_received = signal;
    if (OutPortCancel* cancel = g_cancel.load()) {
        OutPortCancelRequest(cancel); // async-signal-safe
    }
}

} // namespace

CancelOnSignal::CancelOnSignal(OutPortCancel* cancel) : m_previous{} {
    static_assert(std::atomic<OutPortCancel*>::is_always_lock_free);
    g_received = 0;
    g_cancel.store(cancel);
    struct sigaction action {};
    action.sa_handler = CancelSend;
    action.sa_flags = SA_RESTART; // the library's waits wake on the token, not on EINTR
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
}

CancelOnSignal::~CancelOnSignal() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    g_cancel.store(nullptr);
}

int CancelOnSignal::Received() {
    return g_received;
}
