#include "settings/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <utility>

namespace {

constexpr std::chrono::milliseconds kRetryInterval{5};

std::string LockPath(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string::size_type name = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name) + "." + path.substr(name) + ".lock";
}

} // namespace

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) {
    // Without blocking: a FIFO put in its place must not hang the save.
    UniqueFd fd(open(LockPath(path).c_str(),
                     O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        m_error = errno;
        return;
    }
    // flock itself cannot wait for a limited time; a short poll keeps the library free of alarms.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            m_error = errno == EINTR ? EWOULDBLOCK : errno;
            return;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
    m_fd = std::move(fd);
}
