#include "printer/outport/cups/ConnectionWatch.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How often a fired watch shuts down a socket libcups has opened again meanwhile.
constexpr int kRepeatMs = 20;

// Calls `visit` with each socket this process has open and its inode.
template <typename Visit> void ForEachSocket(Visit visit) {
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(folder)) {
        struct stat info {};
        const int fd = std::atoi(entry->d_name);
        if (entry->d_name[0] != '.' && fd != dirfd(folder) && fstat(fd, &info) == 0 &&
            S_ISSOCK(info.st_mode)) {
            visit(fd, info.st_ino);
        }
    }
    closedir(folder);
}

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
    m_bNewSockets = false;
    m_oldSockets.clear();
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    m_fd = fd >= 0 && getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 ? fd : -1;
    if (m_fd >= 0) {
        m_peer = peer;
        m_peerSize = size;
    }
}

void ConnectionWatch::WatchNewSockets() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_bNewSockets = m_peerSize > 0;
    ForEachSocket([this](int /*fd*/, ino_t inode) { m_oldSockets.insert(inode); });
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
    if (m_fd >= 0 && ReachesPeer(m_fd)) {
        shutdown(m_fd, SHUT_RDWR);
    }
    if (m_bNewSockets) {
        ForEachSocket([this](int fd, ino_t inode) {
            if (m_oldSockets.count(inode) == 0 && ReachesPeer(fd)) {
                shutdown(fd, SHUT_RDWR);
            }
        });
    }
}

bool ConnectionWatch::ReachesPeer(int fd) const {
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    return getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 && size == m_peerSize &&
           std::memcmp(&peer, &m_peer, size) == 0;
}
