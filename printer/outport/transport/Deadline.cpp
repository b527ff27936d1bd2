#include "printer/outport/transport/Deadline.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>

bool Deadline::Cancelled() const {
    if (m_cancelFd < 0) {
        return false;
    }
    pollfd cancel{m_cancelFd, POLLIN, 0};
    return poll(&cancel, 1, 0) > 0;
}

int Deadline::Wait(int fd, short events, int sliceMs) const {
    std::array<pollfd, 2> waits{};
    nfds_t count = 0;
    if (m_cancelFd >= 0) {
        waits[count++] = {m_cancelFd, POLLIN, 0};
    }
    if (fd >= 0) {
        waits[count++] = {fd, events, 0};
    }
    const int ready = poll(waits.data(), count, std::min(RemainingMs(), sliceMs));
    if (ready <= 0) {
        return ready;
    }
    if (m_cancelFd >= 0 && waits[0].revents != 0) {
        m_bStoppedByCancel = true;
        errno = ECANCELED;
        return -1;
    }
    return 1;
}
