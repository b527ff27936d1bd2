#include "PortConfigFile.h"

#include <cstdlib>

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

// The key of a "KEY=value" line; empty for comments, blank lines and anything else.
std::string_view KeyOf(std::string_view line) {
    const std::string_view text = Trim(line);
    const auto equals = text.find('=');
    if (text.empty() || text.front() == '#' || equals == std::string_view::npos) {
        return {};
    }
    return Trim(text.substr(0, equals));
}

} // namespace

std::string SetPortLine(std::string_view config, std::string_view portName, std::string_view uri) {
    std::string result;
    if (config.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        result = kByteOrderMark;
        config.remove_prefix(kByteOrderMark.size());
    }
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
        if (!result.empty() && result.back() != '\n' && result != kByteOrderMark) {
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
