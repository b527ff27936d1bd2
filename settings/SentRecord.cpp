#include "settings/SentRecord.h"

#include "base/IoLoops.h"
#include "base/UniqueFd.h"
#include "base/UserFolder.h"
#include "settings/AtomicFile.h"
#include "settings/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string Hex(const std::string& bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += kHexDigits[value >> 4];
        hex += kHexDigits[value & 0x0f];
    }
    return hex;
}

bool FromHex(std::string_view hex, std::string& bytes) {
    if (hex.empty() || hex.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const auto high = kHexDigits.find(hex[i]);
        const auto low = kHexDigits.find(hex[i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) {
            return false;
        }
        bytes += static_cast<char>(high << 4 | low);
    }
    return true;
}

// A URI that could break the one-entry-a-line form is never written: device URIs hold no control
// characters anyway, and such a send simply goes unrecorded.
bool FitsOnALine(const std::string& uri) {
    return !uri.empty() && std::none_of(uri.begin(), uri.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '\x7f';
    });
}

// One line: the time, the block in hex and the device URI, separated by single spaces; the URI
// last, as it may hold spaces itself.
bool ParseLine(std::string_view line, SentEntry& entry) {
    const auto first = line.find(' ');
    const auto second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    const std::string_view time = line.substr(0, first);
    const auto [end, error] = std::from_chars(time.data(), time.data() + time.size(), entry.time);
    entry.device = std::string(line.substr(second + 1));
    return error == std::errc() && end == time.data() + time.size() && entry.time >= 0 &&
           FromHex(line.substr(first + 1, second - first - 1), entry.block) &&
           FitsOnALine(entry.device);
}

std::string Folder(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

// mkdir -p, private to the user as the folders of state are.
bool MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

} // namespace

std::string SentRecordPath() {
    return UserFolder("XDG_STATE_HOME", ".local/state") + "/trovanel/sent";
}

SentRecordRead ParseSentRecord(const std::string& text) {
    SentRecordRead result;
    if (text.size() > kSentRecordLargest) {
        result.problem = SentRecordProblem::TooLarge;
        return result;
    }
    std::istringstream lines(text);
    std::size_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        SentEntry entry;
        if (!ParseLine(line, entry) || result.entries.size() == kSentRecordEntries) {
            return {{}, SentRecordProblem::Damaged, 0, number};
        }
        result.entries.push_back(std::move(entry));
    }
    if (!text.empty() && text.back() != '\n') {
        // A cut-off last line may have lost the end of its URI.
        return {{}, SentRecordProblem::Damaged, 0, number};
    }
    return result;
}

std::string FormatSentRecord(const std::vector<SentEntry>& entries) {
    std::string text;
    for (const SentEntry& entry : entries) {
        text += std::to_string(entry.time) + ' ' + Hex(entry.block) + ' ' + entry.device + '\n';
    }
    return text;
}

SentRecordRead ReadSentRecord(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno == ENOENT ? SentRecordRead{}
                               : SentRecordRead{{}, SentRecordProblem::Unreadable, errno, 0};
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        return {{}, SentRecordProblem::Unreadable, errno, 0};
    }
    if (!S_ISREG(info.st_mode)) {
        return {{}, SentRecordProblem::Unreadable, 0, 0};
    }
    // One byte past the bound tells a file that is too large from one that fits exactly.
    std::string text(kSentRecordLargest + 1, '\0');
    const IoOutcome read =
        ReadLoop(fd.get(), reinterpret_cast<unsigned char*>(text.data()), text.size());
    if (read.error != 0) {
        return {{}, SentRecordProblem::Unreadable, read.error, 0};
    }
    text.resize(read.done);
    return ParseSentRecord(text);
}

const SentEntry* FindSent(const std::vector<SentEntry>& entries, const std::string& device) {
    const auto found =
        std::find_if(entries.begin(), entries.end(),
                     [&device](const SentEntry& entry) { return entry.device == device; });
    return found == entries.end() ? nullptr : &*found;
}

std::vector<SentEntry> WithSent(std::vector<SentEntry> entries, const SentEntry& entry) {
    std::erase_if(entries, [&entry](const SentEntry& old) { return old.device == entry.device; });
    entries.push_back(entry);
    // Newest first, so that cutting drops the devices sent to longest ago.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SentEntry& a, const SentEntry& b) { return a.time > b.time; });
    if (entries.size() > kSentRecordEntries) {
        entries.resize(kSentRecordEntries);
    }
    while (!entries.empty() && FormatSentRecord(entries).size() > kSentRecordLargest) {
        entries.pop_back();
    }
    return entries;
}

SaveResult RecordSent(const std::string& path, const SentEntry& entry) {
    if (!FitsOnALine(entry.device) || !MakeFolders(Folder(path))) {
        return SaveResult::CannotOpen;
    }
    const FileLock lock(path, kSentRecordLockWait);
    if (!lock.Held()) {
        return lock.Error() == EWOULDBLOCK ? SaveResult::Busy : SaveResult::CannotOpen;
    }
    const std::string text = FormatSentRecord(WithSent(ReadSentRecord(path).entries, entry));
    return ReplaceFile(path.c_str(), reinterpret_cast<const unsigned char*>(text.data()),
                       text.size());
}
