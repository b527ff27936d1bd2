#include "printer/outport/address/PrintQueueUri.h"

#include "printer/outport/address/PercentEncoding.h"

#include <optional>
#include <utility>

namespace {

// CUPS allows any printable character in a queue name but these.
bool AllowedInQueueName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte != 0x7F && c != '/' && c != '\\' && c != '#' && c != '?' &&
           c != '\'' && c != '"';
}

} // namespace

PortStatus ParseQueueName(std::string_view text, std::string& queue) {
    queue.clear();
    std::optional<std::string> decoded = PercentDecoded(text);
    if (!decoded) {
        return PortStatus::Failed("a '%' must be followed by two hexadecimal digits");
    }
    for (const char c : *decoded) {
        if (!AllowedInQueueName(c)) {
            return PortStatus::Failed("a print queue's name holds no blanks, control "
                                      "characters, quotes or / \\ # ?");
        }
    }
    queue = std::move(*decoded);
    if (queue.empty()) {
        return PortStatus::Failed("no print queue is named");
    }
    if (queue.size() > 127) {
        return PortStatus::Failed("a print queue's name has at most 127 characters");
    }
    return PortStatus::Ok();
}

PortStatus ParseIppPath(std::string_view path, std::string& queue) {
    if (path.size() < 2 || path.front() != '/') {
        return PortStatus::Failed(
            "expected the queue's path after the host, as in ipp://HOST/printers/QUEUE");
    }
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '#' || c == '?') {
            return PortStatus::Failed("the queue's path holds a character a URI cannot");
        }
    }
    std::string_view last = path;
    while (!last.empty() && last.back() == '/') {
        last.remove_suffix(1);
    }
    last = last.substr(last.rfind('/') + 1);
    return ParseQueueName(last, queue);
}

std::string CupsQueueUri(std::string_view queue) {
    return "cups:" + PercentEncoded(queue);
}
