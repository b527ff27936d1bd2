#pragma once

#include "base/UniqueFd.h"

#include <chrono>
#include <string>

// Orders the read-modify-write cycles of one file among processes: an advisory lock (flock) on a
// hidden file beside it, ".outport.conf.lock" for "outport.conf". The lock file is never removed:
// a holder whose file was removed and made again would lock another file than the next one.
class FileLock {
public:
    // Waits up to `wait` for the lock of the file at `path`, making the lock file when missing.
    FileLock(const std::string& path, std::chrono::milliseconds wait);

    bool Held() const { return m_fd.valid(); }
    // Why the lock is not held: EWOULDBLOCK when another process held it for the whole wait, else
    // why the lock file could not be opened; 0 when held.
    int Error() const { return m_error; }

private:
    UniqueFd m_fd;
    int m_error = 0;
};
