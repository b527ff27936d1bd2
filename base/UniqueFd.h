#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

// Owns a file descriptor and closes it once.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~UniqueFd() { Close(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    // A device can report a failed write only here: 0, or the errno of the failed close. EINTR
    // is no failure: Linux has closed the descriptor by then, and what was written stands.
    int Close() {
        if (m_fd < 0 || ::close(std::exchange(m_fd, -1)) == 0 || errno == EINTR) {
            return 0;
        }
        return errno;
    }

private:
    int m_fd;
};
