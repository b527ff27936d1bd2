#include "PortConfigWriter.h"

#include "AtomicFile.h"
#include "PortConfigFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The same limit the reader puts on the file: anything larger is not a configuration.
constexpr off_t kLargestConfig = 64 * 1024;

std::string Failure(const std::string& path, const std::string& reason) {
    return "Cannot save " + path + ": " + reason + ".";
}

// Reads the current file; a missing one is empty. Anything that is not a regular file of
// sensible size is refused, so it is never replaced by our few lines.
bool ReadCurrent(const std::string& path, std::string& text, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        error = Failure(path, std::strerror(errno));
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestConfig;
    if (!ok) {
        error = Failure(path, "it is not a regular file of at most 64 KiB");
    }
    std::array<char, 4096> buffer{};
    while (ok) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = Failure(path, std::strerror(errno));
            ok = false;
        }
        if (got <= 0) {
            break;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    close(fd);
    return ok;
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

} // namespace

std::string SavePortChoices(const std::vector<PortChoice>& choices) {
    const std::string path = PortConfigPath();
    std::string text;
    std::string error;
    if (!ReadCurrent(path, text, error) || !MakeFolder(path, error)) {
        return error;
    }
    for (const PortChoice& choice : choices) {
        text = SetPortLine(text, choice.port, choice.uri);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    switch (ReplaceFile(path.c_str(), bytes, text.size())) {
    case ReplaceResult::Replaced:
        return {};
    case ReplaceResult::CannotCreate:
        return Failure(path, "the file or its folder is not writable");
    case ReplaceResult::CannotWrite:
        break;
    }
    return Failure(path, "writing failed, the old file is kept");
}
