#include "settings/FileLock.h"

#include "settings/ResolvedPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::chrono::milliseconds kRetryInterval{5};

std::string LockPath(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string::size_type name = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name) + "." + path.substr(name) + ".lock";
}

// Whether `path` still names the file `fd` has open: the holder before removes it, after which
// a lock on it orders nothing.
bool StillNamed(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait)
    : m_strPath(LockPath(ResolveLinks(path))) {
    // flock itself cannot wait for a limited time; a short poll keeps the library free of alarms.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // Without blocking: a FIFO put in its place must not hang the save. Read-only, so any
        // user who may save the file may lock it, whoever made the lock file.
        UniqueFd fd(open(m_strPath.c_str(),
                         O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                         0666));
        if (!fd.valid()) {
            m_error = errno;
            return;
        }
        const int locked = flock(fd.get(), LOCK_EX | LOCK_NB);
        if (locked == 0 && StillNamed(fd.get(), m_strPath)) {
            m_fd = std::move(fd);
            return;
        }
        if (locked != 0 && errno != EWOULDBLOCK && errno != EINTR) {
            m_error = errno;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_error = EWOULDBLOCK;
            return;
        }
        if (locked != 0) {
            std::this_thread::sleep_for(kRetryInterval);
        }
    }
}

FileLock::~FileLock() {
    if (m_fd.valid()) {
        // Removed while still held, so nobody can lock the name between the two steps; a folder
        // that refuses the removal (sticky, another user's file) keeps it for the next save.
        unlink(m_strPath.c_str());
    }
}
