#pragma once

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

    // Returns close()'s errno, or 0; a device can report a failed write only here.
    int Close() {
        if (m_fd < 0) {
            return 0;
        }
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};
