#pragma once

#include "settings/SaveResult.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What was last sent, and accepted, to each device: a small text file under the user's state
// folder, so that a send can be skipped when the printer has this block already. A printer
// cannot be asked for its settings; "sent and accepted" is the best knowledge there is.

// A device's newest successful send.
struct SentEntry {
    std::string device;    // the device URI the send went to, as the port resolved it
    std::string block;     // the bytes sent
    std::int64_t time = 0; // seconds since the epoch

    friend bool operator==(const SentEntry&, const SentEntry&) = default;
};

// At most this many devices are kept, the most recently sent to; the file is never larger than
// kSentRecordLargest bytes, and one that is larger is not read.
inline constexpr std::size_t kSentRecordEntries = 64;
inline constexpr std::size_t kSentRecordLargest = std::size_t{64} * 1024;
inline constexpr std::chrono::milliseconds kSentRecordLockWait{2000};

// Why a record could not be used; a record that cannot be used counts as empty.
enum class SentRecordProblem {
    None,
    Unreadable, // `error` says why; 0 when it is no regular file
    Damaged,    // `line` is the first line that does not read
    TooLarge,
};

struct SentRecordRead {
    std::vector<SentEntry> entries;
    SentRecordProblem problem = SentRecordProblem::None;
    int error = 0;
    std::size_t line = 0;
};

// $XDG_STATE_HOME/trovanel/sent, else ~/.local/state/trovanel/sent (the home folder from the
// user database when HOME is unset too).
std::string SentRecordPath();

// The file's text and back. A missing file is an empty record.
SentRecordRead ParseSentRecord(const std::string& text);
std::string FormatSentRecord(const std::vector<SentEntry>& entries);
SentRecordRead ReadSentRecord(const std::string& path);

// The device's entry; nullptr when nothing was recorded for it.
const SentEntry* FindSent(const std::vector<SentEntry>& entries, const std::string& device);

// `entries` with `entry` in place of any older entry for its device, cut to the bounds by
// dropping the devices sent to longest ago.
std::vector<SentEntry> WithSent(std::vector<SentEntry> entries, const SentEntry& entry);

// Adds `entry` to the record at `path` under its lock and replaces the file atomically, making
// its folder when missing. A record that cannot be read is started afresh.
SaveResult RecordSent(const std::string& path, const SentEntry& entry);
