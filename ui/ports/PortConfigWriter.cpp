#include "ui/ports/PortConfigWriter.h"

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/PortConfig.h"
#include "printer/outport/address/PortConfigFile.h"
#include "printer/outport/status/PortStatus.h"
#include "settings/AtomicFile.h"
#include "settings/FileLock.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/stat.h>

namespace {

// A file over the reader's limit is still read up to this size, so that removing a port's line
// can bring it back within the limit.
constexpr std::size_t kLargestRepairableFile = 16 * kLargestPortConfigFile;

std::string Failure(const std::string& path, const std::string& reason) {
    return "Cannot save " + path + ": " + reason + ".";
}

// Makes the folder and any missing parents, private to the user as configuration folders are.
bool MakeFolder(const std::string& path, std::string& error) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            error = Failure(path, "cannot make the folder " + folder + ": " + std::strerror(errno));
            return false;
        }
    }
    return true;
}

// Every URI must read back as it is written: one line, no blanks at its ends, a device.
std::string CheckChoices(const std::string& path, const std::vector<PortChoice>& choices) {
    for (const PortChoice& choice : choices) {
        PortTarget target;
        const PortStatus parsed = ParseDeviceUri(choice.uri, target);
        if (!choice.uri.empty() && !parsed.ok()) {
            return Failure(path, choice.port + ": " + parsed.reason());
        }
    }
    return {};
}

// How long to wait while another program saves the file: the port library's time-out.
std::chrono::milliseconds LockWait() {
    std::chrono::milliseconds wait{};
    (void)LookUpTimeout(wait); // a malformed setting leaves the default
    return wait;
}

} // namespace

std::string SavePortChoices(const std::vector<PortChoice>& choices) {
    const std::string path = PortConfigPath();
    if (std::string error = CheckChoices(path, choices); !error.empty()) {
        return error;
    }
    std::string error;
    if (!MakeFolder(path, error)) {
        return error;
    }
    // Held from the read to the rename: a change another program saves meanwhile is kept.
    const std::chrono::milliseconds wait = LockWait();
    const FileLock lock(path, wait);
    if (!lock.Held()) {
        return Failure(path, lock.Error() == EWOULDBLOCK
                                 ? "another program kept it locked for " +
                                       std::to_string(wait.count()) + " ms; nothing was changed"
                                 : std::string("cannot lock it: ") + std::strerror(lock.Error()));
    }
    std::string text;
    if (const PortStatus read = ReadPortConfigFile(path, text, kLargestRepairableFile);
        !read.ok()) {
        return "Cannot save " + read.reason() + ".";
    }
    for (const PortChoice& choice : choices) {
        text = SetPortLine(text, choice.port, choice.uri);
    }
    if (text.size() > kLargestPortConfigFile) {
        return Failure(path, "it would be larger than 64 KiB, more than is read back; remove "
                             "lines it does not need with a text editor, or give a port an empty "
                             "URI to remove its line");
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    switch (ReplaceFile(path.c_str(), bytes, text.size())) {
    case SaveResult::Saved:
        return {};
    case SaveResult::CannotOpen:
        return Failure(path, "the file or its folder is not writable");
    case SaveResult::CannotWrite:
    case SaveResult::Busy:
        break;
    }
    return Failure(path, "writing failed, the old file is kept");
}
