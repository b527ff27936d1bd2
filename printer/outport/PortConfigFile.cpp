#include "PortConfigFile.h"

#include "UniqueFd.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr std::size_t kLargestConfigFile = std::size_t{64} * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The key of a "KEY=value" line; empty for comments, blank lines and anything else.
std::string_view KeyOf(std::string_view line) {
    const std::string_view text = Trim(line);
    const auto equals = text.find('=');
    if (text.empty() || text.front() == '#' || equals == std::string_view::npos) {
        return {};
    }
    return Trim(text.substr(0, equals));
}

std::string ErrorText(int error) {
    std::string text = std::strerror(error);
    if (!text.empty()) {
        text.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(text.front())));
    }
    return text;
}

} // namespace

std::string SetPortLine(std::string_view config, std::string_view portName, std::string_view uri) {
    std::string result;
    const std::string newLine = std::string(portName) + "=" + std::string(uri);
    bool written = false;
    while (!config.empty()) {
        const auto end = config.find('\n');
        const std::string_view line = config.substr(0, end);
        const bool lastLine = end == std::string_view::npos;
        config.remove_prefix(lastLine ? config.size() : end + 1);
        if (KeyOf(line) == portName && (uri.empty() || !written)) {
            if (uri.empty()) {
                continue;
            }
            // Keep a CR LF line end as it was.
            result += newLine + (!line.empty() && line.back() == '\r' ? "\r" : "");
            written = true;
        } else {
            result += line;
        }
        if (!lastLine) {
            result += '\n';
        }
    }
    if (!written && !uri.empty()) {
        if (!result.empty() && result.back() != '\n') {
            result += '\n';
        }
        result += newLine + "\n";
    }
    return result;
}

std::string PortConfigPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/outport.conf";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/outport.conf";
}

bool ReadPortConfigFile(const std::string& path, std::string& text, std::string& error) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return true;
        }
        error = path + ": " + ErrorText(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        error = path + ": " + ErrorText(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + ": " + (S_ISDIR(info.st_mode) ? ErrorText(EISDIR) : "not a regular file");
        return false;
    }
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t got = read(fd.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = path + ": " + ErrorText(errno);
            return false;
        }
        if (got == 0) {
            break;
        }
        text.append(chunk.data(), static_cast<std::size_t>(got));
        if (text.size() > kLargestConfigFile) {
            error = path + ": larger than 64 KiB, too large for a configuration file";
            return false;
        }
    }
    // Some editors start a UTF-8 file with a byte-order mark.
    if (text.rfind(kByteOrderMark, 0) == 0) {
        text.erase(0, kByteOrderMark.size());
    }
    return true;
}
