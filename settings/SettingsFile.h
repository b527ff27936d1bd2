#pragma once

#include "settings/FileLock.h"
#include "settings/PrinterSettings.h"
#include "settings/SaveResult.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

// "Trovanel.ini" in the working directory: exactly 40 bytes, ten fields of four characters in
// the order of CPrinterSettings, no separators.
inline constexpr const char* kSettingsFileName = "Trovanel.ini";
inline constexpr std::size_t kSettingsFieldSize = 4;
inline constexpr std::size_t kSettingsFileSize = 10 * kSettingsFieldSize;

// Fills `settings` from the file; leaves it as it is when the file cannot be opened or read, or
// is no regular file (a FIFO, a device or a directory in its place). Never blocks. A short
// file reads as if padded with zero bytes; bytes past the 40th are ignored; nothing is
// range-checked.
void LoadSettings(CPrinterSettings& settings);

// True when the file is a regular file of exactly the 40 bytes `settings` make: saving them
// would change nothing.
bool SettingsFileHolds(const CPrinterSettings& settings);

// How long a save waits while another program saves the file.
inline constexpr std::chrono::milliseconds kSettingsLockWait{5000};

// The lock that orders saves of the file among programs (".Trovanel.ini.lock" beside it). Hold
// it from LoadSettings to WriteSettings to change some fields without losing another program's
// change made meanwhile.
FileLock LockSettings();

// Replaces the file atomically: the new content goes to a temporary file beside it, which is
// synced and renamed over the old one, so a failure or a crash leaves the old file whole.
// WriteSettings expects the caller to hold LockSettings(); SaveSettings takes it itself, to
// write the whole record.
SaveResult WriteSettings(const CPrinterSettings& settings);
SaveResult SaveSettings(const CPrinterSettings& settings);

// What a lock that is not held means for a save.
SaveResult LockFailure(const FileLock& lock);

// One field read as atoi would, but never past its fourth byte: leading white space, an
// optional sign, then decimal digits up to the first non-digit; no digits reads as 0.
std::int32_t ReadSettingsField(const unsigned char* field);

// The ten fields of a 40-byte image, and the image of a record.
void DecodeSettings(const unsigned char* image, CPrinterSettings& settings);
void EncodeSettings(const CPrinterSettings& settings, unsigned char* image);
