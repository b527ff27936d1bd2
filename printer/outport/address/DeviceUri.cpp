#include "printer/outport/address/DeviceUri.h"

#include "printer/outport/address/PrintQueueUri.h"
#include "printer/outport/address/UsbPrinterUri.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// What a control character is called in a message.
std::string ControlName(unsigned code) {
    switch (code) {
    case '\n':
        return "a line break";
    case '\r':
        return "a carriage return";
    case '\t':
        return "a tab";
    case 0:
        return "a zero byte";
    default:
        break;
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    return std::string("the control character U+00") + kHex[code >> 4U] + kHex[code & 0x0FU];
}

// A URI is kept on one line of outport.conf and shown on terminals: a control character (C0,
// DEL, or C1 as UTF-8 encodes it) would end the line early or act on the terminal, and blanks
// at either end would be trimmed away when the line is read back. Checked before the scheme, so
// every kind of URI gets the same answer.
PortStatus CheckCharacters(std::string_view text) {
    std::size_t character = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0U) != 0x80U) {
            ++character; // counts characters, not the bytes after a UTF-8 lead byte
        }
        unsigned control = byte < 0x20U || byte == 0x7FU ? byte : 0x100U;
        if (byte == 0xC2U && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            control = next >= 0x80U && next <= 0x9FU ? next : control;
        }
        if (control <= 0xFFU) {
            return PortStatus::Failed("the device URI holds " + ControlName(control) +
                                      " at character " + std::to_string(character));
        }
    }
    if (!text.empty() && text.front() == ' ') {
        return PortStatus::Failed("the device URI starts with a blank");
    }
    if (!text.empty() && text.back() == ' ') {
        return PortStatus::Failed("the device URI ends with a blank");
    }
    return PortStatus::Ok();
}

bool ParseNumber(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

constexpr std::array<int, 9> kBaudRates{1200,  2400,  4800,   9600,  19200,
                                        38400, 57600, 115200, 230400};

PortStatus ApplySerialOption(std::string_view option, SerialOptions& serial) {
    const auto equals = option.find('=');
    const std::string_view key = option.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : option.substr(equals + 1);
    int number = 0;
    if (key == "baud" && ParseNumber(value, number) &&
        std::find(kBaudRates.begin(), kBaudRates.end(), number) != kBaudRates.end()) {
        serial.baud = number;
    } else if (key == "bits" && ParseNumber(value, number) && number >= 5 && number <= 8) {
        serial.bits = number;
    } else if (key == "stop" && ParseNumber(value, number) && (number == 1 || number == 2)) {
        serial.stopBits = number;
    } else if (key == "parity" && value == "none") {
        serial.parity = SerialOptions::Parity::None;
    } else if (key == "parity" && value == "even") {
        serial.parity = SerialOptions::Parity::Even;
    } else if (key == "parity" && value == "odd") {
        serial.parity = SerialOptions::Parity::Odd;
    } else if (key == "flow" && value == "none") {
        serial.flow = SerialOptions::Flow::None;
    } else if (key == "flow" && value == "soft") {
        serial.flow = SerialOptions::Flow::Soft;
    } else if (key == "flow" && value == "hard") {
        serial.flow = SerialOptions::Flow::Hard;
    } else {
        return PortStatus::Failed("unknown serial option \"" + std::string(option) +
                                  "\" (baud=1200..230400, bits=5..8, parity=none|even|odd, "
                                  "stop=1|2, flow=none|soft|hard)");
    }
    return PortStatus::Ok();
}

PortStatus ParseSerial(std::string_view rest, PortTarget& target) {
    const auto question = rest.find('?');
    target.path = std::string(rest.substr(0, question));
    if (question == std::string_view::npos) {
        return PortStatus::Ok();
    }
    // Written again without options (the defaults), the URI would end with the blank.
    if (!target.path.empty() && target.path.back() == ' ') {
        return PortStatus::Failed("the serial line's path ends with a blank");
    }
    std::string_view options = rest.substr(question + 1);
    while (!options.empty()) {
        const auto separator = options.find_first_of("+&");
        PortStatus applied = ApplySerialOption(options.substr(0, separator), target.serial);
        if (!applied.ok()) {
            return applied;
        }
        if (separator == std::string_view::npos) {
            break;
        }
        options.remove_prefix(separator + 1);
    }
    return PortStatus::Ok();
}

// HOST[:PORT] of socket://, ipp:// and ipps:// (`scheme`), followed by `path` in the URI. The
// port keeps its default when none is given. Messages show the URI as it should be written.
PortStatus ParseHost(std::string_view scheme, std::string_view authority, std::string_view path,
                     PortTarget& target) {
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        // Kept in outport.conf and shown in messages, a password would be read by anyone.
        return PortStatus::Failed("a device URI holds no user name or password: write " +
                                  std::string(scheme) + std::string(authority.substr(at + 1)) +
                                  std::string(path));
    }
    if (!StartsWith(authority, "[") && std::count(authority.begin(), authority.end(), ':') > 1) {
        // Unbracketed, an address's last group cannot be told from a port.
        return PortStatus::Failed("an IPv6 address goes in brackets: " + std::string(scheme) + "[" +
                                  std::string(authority) + "]:" + std::to_string(target.tcpPort) +
                                  std::string(path));
    }
    std::string_view host = authority;
    std::string_view port;
    if (StartsWith(authority, "[")) { // [IPv6]:port
        const auto close = authority.find(']');
        if (close == std::string_view::npos) {
            return PortStatus::Failed("unclosed '[' in the host");
        }
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !StartsWith(after, ":")) {
            return PortStatus::Failed("unexpected text after the host");
        }
        port = after.empty() ? after : after.substr(1);
    } else if (const auto colon = authority.rfind(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    if (host.empty() || host.find_first_of("/?# []") != std::string_view::npos) {
        return PortStatus::Failed("no valid host");
    }
    target.host = std::string(host);
    if (!port.empty() &&
        (!ParseNumber(port, target.tcpPort) || target.tcpPort < 1 || target.tcpPort > 65535)) {
        return PortStatus::Failed("the TCP port must be a number from 1 to 65535");
    }
    return PortStatus::Ok();
}

PortStatus ParseSocket(std::string_view rest, PortTarget& target) {
    if (!rest.empty() && rest.back() == '/') {
        rest.remove_suffix(1);
    }
    return ParseHost("socket://", rest, {}, target);
}

// ipp://HOST[:PORT]/PATH, with 631 as the port when none is given.
PortStatus ParseIpp(std::string_view scheme, std::string_view rest, PortTarget& target) {
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) {
        return PortStatus::Failed(
            "expected the queue's path after the host, as in ipp://HOST/printers/QUEUE");
    }
    target.tcpPort = 631;
    if (PortStatus parsed = ParseHost(scheme, rest.substr(0, slash), rest.substr(slash), target);
        !parsed.ok()) {
        return parsed;
    }
    target.path = std::string(rest.substr(slash));
    return ParseIppPath(target.path, target.queue);
}

} // namespace

std::string PortTarget::Display() const {
    const bool ipv6 = host.find(':') != std::string::npos;
    std::string hostPort = (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(tcpPort);
    switch (kind) {
    case Kind::Socket:
        return hostPort;
    case Kind::UsbPrinter:
        return MakeUsbPrinterUri(printer);
    case Kind::CupsQueue:
        return CupsQueueUri(queue);
    case Kind::IppPrinter:
        return (encrypted ? "ipps://" : "ipp://") + hostPort + path;
    case Kind::NetworkService:
        return MakeNetworkServiceUri(service);
    case Kind::Serial:
    case Kind::Parallel:
    case Kind::Path:
    case Kind::Capture:
        break;
    }
    return path;
}

std::string WithoutCredentials(std::string_view uri) {
    for (const std::string_view scheme : {"socket://", "ipp://", "ipps://"}) {
        if (!StartsWith(uri, scheme)) {
            continue;
        }
        const std::string_view authority = uri.substr(0, uri.find('/', scheme.size()));
        const auto at = authority.rfind('@');
        if (at == std::string_view::npos) {
            break;
        }
        return std::string(scheme) + std::string(uri.substr(at + 1));
    }
    return std::string(uri);
}

PortStatus ParseDeviceUri(std::string_view text, PortTarget& target) {
    target = PortTarget();
    if (PortStatus checked = CheckCharacters(text); !checked.ok()) {
        return checked;
    }
    if (StartsWith(text, "serial:")) {
        target.kind = PortTarget::Kind::Serial;
        PortStatus parsed = ParseSerial(text.substr(7), target);
        if (!parsed.ok()) {
            return parsed;
        }
    } else if (StartsWith(text, "parallel:")) {
        target.kind = PortTarget::Kind::Parallel;
        target.path = std::string(text.substr(9));
    } else if (StartsWith(text, "file:")) {
        target.kind = PortTarget::Kind::Capture;
        target.path = std::string(text.substr(5));
        // file:///path and file:/path both name /path.
        if (StartsWith(target.path, "//")) {
            target.path.erase(0, 2);
        }
    } else if (StartsWith(text, "socket://")) {
        target.kind = PortTarget::Kind::Socket;
        return ParseSocket(text.substr(9), target);
    } else if (StartsWith(text, "usb://")) {
        target.kind = PortTarget::Kind::UsbPrinter;
        return ParseUsbPrinterUri(text.substr(6), target.printer);
    } else if (StartsWith(text, "cups:")) {
        target.kind = PortTarget::Kind::CupsQueue;
        return ParseQueueName(text.substr(5), target.queue);
    } else if (StartsWith(text, "ipp://") || StartsWith(text, "ipps://")) {
        target.kind = PortTarget::Kind::IppPrinter;
        target.encrypted = StartsWith(text, "ipps://");
        const std::size_t schemeSize = target.encrypted ? 7 : 6;
        return ParseIpp(text.substr(0, schemeSize), text.substr(schemeSize), target);
    } else if (StartsWith(text, "dnssd://")) {
        target.kind = PortTarget::Kind::NetworkService;
        return ParseNetworkServiceUri(text.substr(8), target.service);
    } else {
        target.kind = PortTarget::Kind::Path;
        target.path = std::string(text);
    }
    if (!StartsWith(target.path, "/")) {
        return PortStatus::Failed(
            "expected an absolute path, or serial:, parallel:, file:, socket://, usb://, cups:, "
            "ipp://, ipps:// or dnssd://");
    }
    return PortStatus::Ok();
}
