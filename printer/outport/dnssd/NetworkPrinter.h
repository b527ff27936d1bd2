#pragma once

#include "printer/outport/address/NetworkServiceUri.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// A printer service found on the network and what it resolved to.
struct NetworkPrinter {
    NetworkServiceName service;
    std::string hostName; // "printer-one.local"; empty until resolved
    std::string address;  // "169.254.77.1"; empty until resolved
    int tcpPort = 0;
    std::map<std::string, std::string> txt; // the keys this program reads, bounded in size
    // What a person recognises, from the TXT record: ty, else product, else usb_MFG and
    // usb_MDL, then the note (where it stands); the instance name when it says nothing.
    std::string description;
    std::string resource; // IPP: the resource from the rp key, with its leading '/'
    std::string problem;  // why it cannot be used ("it announces port 0"); empty when it can

    std::string Uri() const { return MakeNetworkServiceUri(service); }
};

// Keeps the TXT keys this program reads, each value cut to a bounded length at a character's
// start and without zero bytes; other keys are ignored.
void KeepTxtValue(NetworkPrinter& printer, std::string_view key, std::string_view value);

// Fills in the description and the resource from the TXT keys kept.
void DescribeFromTxt(NetworkPrinter& printer);

// Fills in where the service resolved to, its description and resource, and says why it cannot
// be used, if it cannot: no address, a link-local IPv6 address (which needs an interface a URI
// cannot carry), port 0, or an IPP service without a resource.
void SetResolved(NetworkPrinter& printer, std::string hostName, std::string address,
                 std::uint16_t port, bool linkLocalIpv6);
