#include "printer/outport/address/NetworkServiceUri.h"

#include "printer/outport/address/PercentEncoding.h"

#include <array>
#include <optional>
#include <utility>

namespace {

// DNS-SD instance names are one DNS label: at most 63 bytes.
constexpr std::size_t kMaxInstanceBytes = 63;

PortStatus DecodeInstance(std::string_view text, std::string& instance) {
    instance.clear();
    std::optional<std::string> decoded = PercentDecoded(text);
    if (!decoded) {
        return PortStatus::Failed("a '%' must be followed by two hexadecimal digits");
    }
    for (const char c : *decoded) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return PortStatus::Failed("the printer's name holds a control character");
        }
    }
    instance = std::move(*decoded);
    if (instance.empty()) {
        return PortStatus::Failed("no printer is named before the service type");
    }
    if (instance.size() > kMaxInstanceBytes) {
        return PortStatus::Failed("a network printer's name has at most 63 bytes");
    }
    return PortStatus::Ok();
}

} // namespace

std::string MakeNetworkServiceUri(const NetworkServiceName& service) {
    return "dnssd://" + PercentEncoded(service.instance) + "." + service.type + "." +
           service.domain + "/";
}

PortStatus ParseNetworkServiceUri(std::string_view text, NetworkServiceName& service) {
    service = NetworkServiceName();
    const std::string_view authority = text.substr(0, text.find('/'));
    // The instance may hold dots of its own, so the service type is looked for from the right.
    constexpr std::array kTypes{kRawPrinterService, kIppPrinterService, kIppsPrinterService};
    std::size_t found = std::string_view::npos;
    for (const std::string_view type : kTypes) {
        const std::string marker = "." + std::string(type) + ".";
        const std::size_t at = authority.rfind(marker);
        if (at != std::string_view::npos && (found == std::string_view::npos || at > found)) {
            found = at;
            service.type = std::string(type);
        }
    }
    if (found == std::string_view::npos) {
        return PortStatus::Failed(
            "expected dnssd://NAME._pdl-datastream._tcp.local/, or _ipp._tcp or _ipps._tcp");
    }
    service.domain = std::string(authority.substr(found + service.type.size() + 2));
    if (service.domain.empty() || service.domain.find_first_of("?#%@: ") != std::string::npos) {
        return PortStatus::Failed("no valid domain after the service type");
    }
    const std::string_view rest = text.substr(authority.size());
    if (rest.find_first_of(" \\") != std::string_view::npos) {
        return PortStatus::Failed("the text after the printer's name holds a blank or '\\'");
    }
    return DecodeInstance(authority.substr(0, found), service.instance);
}
