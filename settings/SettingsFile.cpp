#include "SettingsFile.h"

#include "OutPort.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FieldPointer = std::int32_t CPrinterSettings::*;

constexpr std::array<FieldPointer, 10> kFileOrder{
    &CPrinterSettings::m_nUnit,      &CPrinterSettings::m_nLengthInch,
    &CPrinterSettings::m_nGapInch,   &CPrinterSettings::m_nCutOffset,
    &CPrinterSettings::m_nTearInch,  &CPrinterSettings::m_nPort,
    &CPrinterSettings::m_nPrintMode, &CPrinterSettings::m_nLengthMm,
    &CPrinterSettings::m_nGapMm,     &CPrinterSettings::m_nTearMm,
};

bool IsSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
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

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t DefaultFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename durable. Some file systems cannot sync a directory (EINVAL); the data
// itself is already synced then, so that is no failure.
bool SyncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return synced;
}

// The temporary file is written, synced and closed; on any failure it is removed.
SaveResult WriteTemporary(int fd, const std::string& tempPath, mode_t mode, const struct stat* old,
                          const unsigned char* image) {
    bool ok = fchmod(fd, mode) == 0;
    if (ok && old != nullptr && (old->st_uid != geteuid() || old->st_gid != getegid())) {
        // Keeping the old owner matters when root saves a user's file; an ordinary user
        // cannot give a file away, and then the file simply becomes theirs.
        (void)!fchown(fd, old->st_uid, old->st_gid);
    }
    ok = ok && WriteAll(fd, image, kSettingsFileSize) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (!ok) {
        unlink(tempPath.c_str());
        return SaveResult::CannotWrite;
    }
    return SaveResult::Saved;
}

} // namespace

std::int32_t ReadSettingsField(const unsigned char* field) {
    std::size_t pos = 0;
    while (pos < kSettingsFieldSize && IsSpace(field[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < kSettingsFieldSize && (field[pos] == '+' || field[pos] == '-')) {
        negative = field[pos] == '-';
        ++pos;
    }
    std::int32_t value = 0;
    while (pos < kSettingsFieldSize && IsDigit(field[pos])) {
        value = value * 10 + (field[pos] - '0');
        ++pos;
    }
    return negative ? -value : value;
}

void DecodeSettings(const unsigned char* image, CPrinterSettings& settings) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        settings.*kFileOrder[i] = ReadSettingsField(image + i * kSettingsFieldSize);
    }
}

void EncodeSettings(const CPrinterSettings& settings, unsigned char* image) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        std::array<char, 8> text{};
        Change4(settings.*kFileOrder[i], text.data());
        std::memcpy(image + i * kSettingsFieldSize, text.data(), kSettingsFieldSize);
    }
}

void LoadSettings(CPrinterSettings& settings) {
    std::FILE* file = std::fopen(kSettingsFileName, "rb");
    if (file == nullptr) {
        return;
    }
    std::array<unsigned char, kSettingsFileSize> image{};
    (void)std::fread(image.data(), 1, image.size(), file);
    std::fclose(file);
    DecodeSettings(image.data(), settings);
}

SaveResult SaveSettings(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());

    const std::string target = ResolveLinks(kSettingsFileName);
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    // A file the user made read-only stays so, for root as well.
    if (exists && (access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
        return SaveResult::CannotOpen;
    }

    const std::string directory = DirectoryOf(target);
    std::string tempPath = target + ".XXXXXX";
    const int fd = mkostemp(tempPath.data(), O_CLOEXEC);
    if (fd < 0) {
        return SaveResult::CannotOpen;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
    const SaveResult written =
        WriteTemporary(fd, tempPath, mode, exists ? &old : nullptr, image.data());
    if (written != SaveResult::Saved) {
        return written;
    }
    if (rename(tempPath.c_str(), target.c_str()) != 0) {
        unlink(tempPath.c_str());
        return SaveResult::CannotWrite;
    }
    return SyncDirectory(directory) ? SaveResult::Saved : SaveResult::CannotWrite;
}
