#include "settings/SettingsFile.h"

#include "base/IoLoops.h"
#include "base/NumberField.h"
#include "base/UniqueFd.h"
#include "settings/AtomicFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using FieldPointer = std::int32_t CPrinterSettings::*;

constexpr std::array<FieldPointer, 10> kFileOrder{
    &CPrinterSettings::m_nUnit,      &CPrinterSettings::m_nLengthInch,
    &CPrinterSettings::m_nGapInch,   &CPrinterSettings::m_nCutOffset,
    &CPrinterSettings::m_nTearInch,  &CPrinterSettings::m_nPort,
    &CPrinterSettings::m_nPrintMode, &CPrinterSettings::m_nLengthMm,
    &CPrinterSettings::m_nGapMm,     &CPrinterSettings::m_nTearMm,
};

// Up to one byte past a record, when the file is a regular file that reads. Opened without
// blocking and read only when it is a regular file: a FIFO or a device in its place would hang
// the start or never end.
std::optional<std::vector<unsigned char>> ReadSettingsImage() {
    const UniqueFd fd(open(kSettingsFileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return std::nullopt;
    }
    std::vector<unsigned char> image(kSettingsFileSize + 1);
    struct stat info {};
    if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const IoOutcome read = ReadLoop(fd.get(), image.data(), image.size());
    if (read.error != 0) {
        return std::nullopt;
    }
    image.resize(read.done);
    return image;
}

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
    if (auto image = ReadSettingsImage()) {
        image->resize(kSettingsFileSize); // a short file leaves the rest zero
        DecodeSettings(image->data(), settings);
    }
}

bool SettingsFileHolds(const CPrinterSettings& settings) {
    std::vector<unsigned char> expected(kSettingsFileSize);
    EncodeSettings(settings, expected.data());
    return ReadSettingsImage() == expected;
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
