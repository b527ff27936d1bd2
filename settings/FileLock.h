#pragma once

#include "base/UniqueFd.h"

#include <chrono>
#include <string>

// Orders the read-modify-write cycles of one file among processes: an advisory lock (flock) on a
// hidden file beside the file the path resolves to (".outport.conf.lock" for "outport.conf"), so
// that two symbolic links to one file share one lock. The lock file is removed when the lock is
// released; a process that locked a file removed meanwhile sees that and locks afresh.
class FileLock {
public:
    // Waits up to `wait` for the lock of the file at `path`, making the lock file when missing.
    FileLock(const std::string& path, std::chrono::milliseconds wait);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    FileLock(FileLock&& other) noexcept = default;
    FileLock& operator=(FileLock&&) = delete;
    ~FileLock();

    bool Held() const { return m_fd.valid(); }
    // Why the lock is not held: EWOULDBLOCK when another process held it for the whole wait, else
    // why the lock file could not be opened; 0 when held.
    int Error() const { return m_error; }

private:
    std::string m_strPath; // the lock file's
    UniqueFd m_fd;
    int m_error = 0;
};
