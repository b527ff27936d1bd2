#include "ui/framework/TerminationWatch.h"

#include <QDialog>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

// Written by the handler, so set before the handlers go in.
volatile std::sig_atomic_t g_writeEnd = -1;

extern "C" void ForwardSignal(int signal) {
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signal);
    (void)!write(g_writeEnd, &number, 1); // async-signal-safe; a full pipe has one waiting
    errno = savedErrno;
}

} // namespace

CTerminationWatch::CTerminationWatch(QDialog& dialog) : m_dialog(dialog) {
    if (pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the signals keep their usual effect
    }
    g_writeEnd = m_pipe[1];
    m_pNotifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CTerminationWatch::OnSignal);
    struct sigaction action {};
    action.sa_handler = ForwardSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
}

CTerminationWatch::~CTerminationWatch() {
    if (m_pNotifier == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    g_writeEnd = -1;
    close(m_pipe[0]);
    close(m_pipe[1]);
}

void CTerminationWatch::OnSignal() {
    unsigned char number = 0;
    while (read(m_pipe[0], &number, 1) == 1) {
        m_nReceived = number;
    }
    m_dialog.reject();
}
