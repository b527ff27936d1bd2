#include "printer/outport/address/PortConfigFile.h"

#include "base/Characters.h"
#include "base/IoLoops.h"
#include "base/UniqueFd.h"
#include "base/UserFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string ErrorText(int error) {
    std::string text = std::strerror(error);
    if (!text.empty()) {
        text.front() = AsciiLower(text.front());
    }
    return text;
}

} // namespace

PortConfigLine ParsePortConfigLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '#') {
        return {PortConfigLine::Kind::Blank, {}, {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {PortConfigLine::Kind::Malformed, {}, {}};
    }
    return {PortConfigLine::Kind::Setting, Trim(text.substr(0, equals)),
            Trim(text.substr(equals + 1))};
}

std::string SetPortLine(std::string_view config, std::string_view portName, std::string_view uri) {
    std::string result;
    const std::string newLine = std::string(portName) + "=" + std::string(uri);
    bool written = false;
    while (!config.empty()) {
        const auto end = config.find('\n');
        const std::string_view line = config.substr(0, end);
        const bool lastLine = end == std::string_view::npos;
        config.remove_prefix(lastLine ? config.size() : end + 1);
        const PortConfigLine parsed = ParsePortConfigLine(line);
        if (parsed.kind == PortConfigLine::Kind::Setting && parsed.key == portName &&
            (uri.empty() || !written)) {
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
    return UserFolder("XDG_CONFIG_HOME", ".config") + "/outport.conf";
}

PortStatus ReadPortConfigFile(const std::string& path, std::string& text, std::size_t largest) {
    const auto failed = [&](int error) {
        return PortStatus::Failed(path + ": " + ErrorText(error), error);
    };
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return errno == ENOENT ? PortStatus::Ok() : failed(errno);
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        return failed(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return failed(EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return PortStatus::Failed(path + ": not a regular file");
    }
    // One byte more than allowed tells a file at the limit from a larger one.
    std::string content(largest + 1, '\0');
    const IoOutcome read =
        ReadLoop(fd.get(), reinterpret_cast<unsigned char*>(content.data()), content.size());
    if (read.error != 0) {
        return failed(read.error);
    }
    if (read.done > largest) {
        return PortStatus::Failed(path +
                                  ": larger than 64 KiB, too large for a configuration file");
    }
    content.resize(read.done);
    // Some editors start a UTF-8 file with a byte-order mark.
    if (content.rfind(kByteOrderMark, 0) == 0) {
        content.erase(0, kByteOrderMark.size());
    }
    text = std::move(content);
    return PortStatus::Ok();
}
