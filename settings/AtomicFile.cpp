#include "settings/AtomicFile.h"

#include "base/IoLoops.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files are hidden and named after the target, so they are easy to tell apart from
// anything the user keeps beside it: ".Trovanel.ini.save-" and six random characters.
constexpr std::string_view kTemporaryInfix = ".save-";
constexpr std::size_t kRandomLength = 6;
static_assert(kLongestReplacedName + 1 + kTemporaryInfix.size() + kRandomLength == 255);

struct Location {
    std::string directory;
    std::string name;
};

Location Split(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string TemporaryPrefix(const Location& target) {
    return "." + target.name + std::string(kTemporaryInfix);
}

// Follows symbolic links by hand so that a link whose target does not exist yet still names
// the file to create, and the file is written where the link points rather than over the link.
std::string ResolveLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        std::array<char, PATH_MAX> target{};
        const ssize_t size = readlink(path.c_str(), target.data(), target.size() - 1);
        if (size <= 0) {
            break;
        }
        std::string next(target.data(), static_cast<std::size_t>(size));
        const auto slash = path.rfind('/');
        if (next.front() != '/' && slash != std::string::npos) {
            next.insert(0, path, 0, slash + 1);
        }
        path = std::move(next);
    }
    return path;
}

// The umask is read from /proc rather than with umask(), which can only read it by changing it:
// a file another thread created meanwhile would get the wrong mode.
mode_t DefaultFileMode() {
    mode_t mask = 022; // the usual umask, for a system without /proc
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

// A save in progress holds a lock on its temporary file; one that was killed does not any
// more, so the lock tells an abandoned file from a live one.
void RemoveAbandonedTemporaries(const Location& target) {
    DIR* directory = opendir(target.directory.c_str());
    if (directory == nullptr) {
        return;
    }
    const std::string prefix = TemporaryPrefix(target);
    while (const dirent* entry = readdir(directory)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + kRandomLength ||
            name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const std::string path = target.directory + "/" + std::string(name);
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlink(path.c_str());
        }
        close(fd);
    }
    closedir(directory);
}

// Makes the rename durable. Some file systems cannot sync a directory (EINVAL), and a folder
// without read permission cannot be opened to sync it; the data itself is synced already and
// the new file is in place, so neither is a failure.
bool SyncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return true;
    }
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return synced;
}

// Makes a temporary file beside the target and locks it. Between the two steps another save's
// clean-up may take the still unlocked file for an abandoned one and remove it; the name is
// then checked to lead to the locked file still, and a new one is made if it does not.
// Returns the descriptor with `lock` holding the lock on a second one, or -1 with errno set.
int CreateLockedTemporary(const Location& target, std::string& path, int& lock) {
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        path = target.directory + "/" + TemporaryPrefix(target) + std::string(kRandomLength, 'X');
        const int fd = mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        // The lock lives on a second descriptor so it outlasts the checked close of the first,
        // until the rename is done.
        lock = dup(fd);
        struct stat held {};
        struct stat named {};
        if (lock < 0 || flock(lock, LOCK_EX) != 0 || fstat(lock, &held) != 0) {
            const int error = errno;
            unlink(path.c_str());
            close(fd);
            if (lock >= 0) {
                close(lock);
            }
            errno = error;
            return -1;
        }
        if (lstat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino) {
            return fd;
        }
        close(fd);
        close(lock);
    }
    errno = EAGAIN;
    return -1;
}

// Writes and syncs the temporary file and gives it the final file's mode and owner.
bool FillTemporary(int fd, mode_t mode, const struct stat* old, const unsigned char* data,
                   std::size_t size) {
    if (fchmod(fd, mode) != 0) {
        return false;
    }
    if (old != nullptr && (old->st_uid != geteuid() || old->st_gid != getegid())) {
        // Keeping the owner matters when root saves a user's file; an ordinary user cannot
        // give a file away, and then the file simply becomes theirs.
        (void)!fchown(fd, old->st_uid, old->st_gid);
    }
    return WriteLoop(fd, data, size).error == 0 && fsync(fd) == 0;
}

} // namespace

SaveResult ReplaceFile(const char* name, const unsigned char* data, std::size_t size) {
    const std::string targetPath = ResolveLinks(name);
    const Location target = Split(targetPath);
    // Only a regular file, or none yet, is replaced: a device, a directory, or a link that leads
    // nowhere (a loop) is left as it is.
    struct stat old {};
    const bool exists = lstat(targetPath.c_str(), &old) == 0;
    if (exists ? !S_ISREG(old.st_mode) : errno != ENOENT) {
        return SaveResult::CannotOpen;
    }
    // A file the user made read-only stays so, for root as well.
    if (exists && (access(targetPath.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
        return SaveResult::CannotOpen;
    }
    RemoveAbandonedTemporaries(target);

    std::string tempPath;
    int lock = -1;
    const int fd = CreateLockedTemporary(target, tempPath, lock);
    if (fd < 0) {
        // A full disk is a failure to write, whether blocks or inodes ran out.
        return errno == ENOSPC || errno == EDQUOT ? SaveResult::CannotWrite
                                                  : SaveResult::CannotOpen;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
    bool ok = FillTemporary(fd, mode, exists ? &old : nullptr, data, size);
    ok = (close(fd) == 0) && ok;
    ok = ok && rename(tempPath.c_str(), targetPath.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
    }
    close(lock);
    if (!ok || !SyncDirectory(target.directory)) {
        return SaveResult::CannotWrite;
    }
    return SaveResult::Saved;
}
