#include "printer/outport/cups/ConnectionWatch.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// How often a fired watch shuts down a socket libcups has opened again meanwhile.
constexpr int kRepeatMs = 20;

} // namespace

ConnectionWatch::ConnectionWatch(const Deadline& deadline)
    : m_stop(eventfd(0, EFD_CLOEXEC)), m_thread([this, &deadline] { Run(deadline); }) {}

ConnectionWatch::~ConnectionWatch() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stop.get(), &one, sizeof one);
    m_thread.join();
}

void ConnectionWatch::Watch(int fd) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_fd = fd;
    m_peerSize = sizeof m_peer;
    if (fd < 0 || getpeername(fd, reinterpret_cast<sockaddr*>(&m_peer), &m_peerSize) != 0) {
        m_fd = -1;
        m_peerSize = 0;
    }
}

void ConnectionWatch::Run(const Deadline& deadline) {
    bool fired = false;
    for (;;) {
        std::array<pollfd, 2> waits{{{m_stop.get(), POLLIN, 0}, {deadline.CancelFd(), POLLIN, 0}}};
        const nfds_t count = deadline.CancelFd() >= 0 && !fired ? 2 : 1;
        const int ms = fired ? kRepeatMs : deadline.RemainingMs();
        if (poll(waits.data(), count, ms) < 0 && errno != EINTR) {
            return;
        }
        if (waits[0].revents != 0) {
            return;
        }
        if (fired || waits[1].revents != 0 || deadline.Expired()) {
            fired = true;
            std::atomic_ref<int>(m_flag).store(1);
            ShutDownWatched();
        }
    }
}

void ConnectionWatch::ShutDownWatched() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    if (m_fd >= 0 && getpeername(m_fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 &&
        size == m_peerSize && std::memcmp(&peer, &m_peer, size) == 0) {
        shutdown(m_fd, SHUT_RDWR);
    }
}
