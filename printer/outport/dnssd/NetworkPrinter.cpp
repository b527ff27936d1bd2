#include "printer/outport/dnssd/NetworkPrinter.h"

#include <algorithm>
#include <array>

namespace {

// A TXT string is at most 255 bytes; descriptions are cut well before that.
constexpr std::size_t kMaxValueBytes = 127;

constexpr std::array<std::string_view, 6> kKeptKeys{"ty",      "product", "usb_MFG",
                                                    "usb_MDL", "note",    "rp"};

std::string Bounded(std::string_view value) {
    std::string kept;
    for (const char c : value) {
        if (c != '\0') {
            kept += c;
        }
    }
    if (kept.size() > kMaxValueBytes) {
        std::size_t end = kMaxValueBytes;
        while (end > 0 && (static_cast<unsigned char>(kept[end]) & 0xC0U) == 0x80U) {
            --end; // never ends inside a UTF-8 sequence
        }
        kept.resize(end);
    }
    return kept;
}

std::string Value(const NetworkPrinter& printer, const std::string& key) {
    const auto found = printer.txt.find(key);
    return found == printer.txt.end() ? std::string() : found->second;
}

} // namespace

void KeepTxtValue(NetworkPrinter& printer, std::string_view key, std::string_view value) {
    // TXT keys compare without regard to case.
    for (const std::string_view kept : kKeptKeys) {
        if (std::equal(key.begin(), key.end(), kept.begin(), kept.end(),
                       [](char a, char b) { return (a | 0x20) == (b | 0x20); })) {
            printer.txt[std::string(kept)] = Bounded(value);
        }
    }
}

void DescribeFromTxt(NetworkPrinter& printer) {
    std::string model = Value(printer, "ty");
    if (model.empty()) {
        // The product key comes in parentheses: "(Acme LP-2824)".
        model = Value(printer, "product");
        if (model.size() >= 2 && model.front() == '(' && model.back() == ')') {
            model = model.substr(1, model.size() - 2);
        }
    }
    if (model.empty()) {
        const std::string make = Value(printer, "usb_MFG");
        const std::string product = Value(printer, "usb_MDL");
        model = make + (make.empty() || product.empty() ? "" : " ") + product;
    }
    const std::string note = Value(printer, "note");
    if (model.empty()) {
        model = printer.service.instance;
    }
    printer.description = note.empty() ? model : model + " — " + note;
    const std::string rp = printer.service.Raw() ? std::string() : Value(printer, "rp");
    printer.resource = rp.empty() ? std::string() : (rp.front() == '/' ? rp : "/" + rp);
}

void SetResolved(NetworkPrinter& printer, std::string hostName, std::string address,
                 std::uint16_t port, bool linkLocalIpv6) {
    DescribeFromTxt(printer);
    printer.hostName = std::move(hostName);
    printer.address = std::move(address);
    printer.tcpPort = port;
    if (printer.address.empty()) {
        printer.problem = "it resolves to no address";
    } else if (linkLocalIpv6) {
        printer.problem = "it resolves only to the link-local IPv6 address " + printer.address +
                          ", which a device URI cannot reach";
    } else if (port == 0) {
        printer.problem = "it announces port 0";
    } else if (!printer.service.Raw() && printer.resource.size() < 2) {
        printer.problem = "it announces no IPP resource (TXT key rp)";
    } else {
        printer.problem.clear();
    }
}
