#pragma once

#include "printer/outport/status/PortStatus.h"

#include <string>
#include <string_view>

// A printer on the network named by its DNS-SD service instance, which survives a new address:
// dnssd://INSTANCE._pdl-datastream._tcp.local/ (raw), dnssd://INSTANCE._ipp._tcp.local/ or
// _ipps._tcp (IPP). The instance is percent-encoded.
struct NetworkServiceName {
    std::string instance; // decoded: "Acme LP-2824 @ desk"
    std::string type;     // "_pdl-datastream._tcp", "_ipp._tcp" or "_ipps._tcp"
    std::string domain;   // "local"

    bool Raw() const { return type == "_pdl-datastream._tcp"; }
};

// The service types a label printer announces.
inline constexpr std::string_view kRawPrinterService = "_pdl-datastream._tcp";
inline constexpr std::string_view kIppPrinterService = "_ipp._tcp";
inline constexpr std::string_view kIppsPrinterService = "_ipps._tcp";

std::string MakeNetworkServiceUri(const NetworkServiceName& service);

// Parses the text after "dnssd://" into `service`, or says why it names no printer.
PortStatus ParseNetworkServiceUri(std::string_view text, NetworkServiceName& service);
