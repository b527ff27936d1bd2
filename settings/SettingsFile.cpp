#include "settings/SettingsFile.h"

#include "base/IoLoops.h"
#include "base/NumberField.h"
#include "settings/AtomicFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

} // namespace

std::int32_t ReadSettingsField(const unsigned char* field) {
    return ReadNumberField(field, kSettingsFieldSize);
}

void DecodeSettings(const unsigned char* image, CPrinterSettings& settings) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        settings.*kFileOrder[i] = ReadSettingsField(image + i * kSettingsFieldSize);
    }
}

void EncodeSettings(const CPrinterSettings& settings, unsigned char* image) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        std::array<char, 8> text{};
        WriteNumberField(settings.*kFileOrder[i], static_cast<int>(kSettingsFieldSize),
                         text.data());
        std::memcpy(image + i * kSettingsFieldSize, text.data(), kSettingsFieldSize);
    }
}

void LoadSettings(CPrinterSettings& settings) {
    // Opened without blocking and read only when it is a regular file: a FIFO or a device in
    // its place would hang the start or never end. Anything else, or a read error, counts as a
    // file that cannot be opened.
    const int fd = open(kSettingsFileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    std::array<unsigned char, kSettingsFileSize> image{};
    struct stat info {};
    // Up to the size of a record; a short file leaves the rest zero.
    const bool read = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ReadLoop(fd, image.data(), image.size()).error == 0;
    close(fd);
    if (read) {
        DecodeSettings(image.data(), settings);
    }
}

FileLock LockSettings() {
    return {kSettingsFileName, kSettingsLockWait};
}

SaveResult LockFailure(const FileLock& lock) {
    // A lock file that cannot be made means a folder that cannot take the new file either; a
    // full disk is a failure to write, as for the file itself.
    switch (lock.Error()) {
    case EWOULDBLOCK:
        return SaveResult::Busy;
    case ENOSPC:
    case EDQUOT:
        return SaveResult::CannotWrite;
    default:
        return SaveResult::CannotOpen;
    }
}

SaveResult WriteSettings(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());
    return ReplaceFile(kSettingsFileName, image.data(), image.size());
}

SaveResult SaveSettings(const CPrinterSettings& settings) {
    const FileLock lock = LockSettings();
    return lock.Held() ? WriteSettings(settings) : LockFailure(lock);
}
