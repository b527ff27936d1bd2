#pragma once

#include "printer/outport/dnssd/NetworkPrinter.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <chrono>
#include <string>
#include <vector>

// Printers on the local network, through the Avahi daemon. This is the whole of what the port
// library sees of DNS-SD.

struct NetworkListing {
    std::vector<NetworkPrinter> printers; // by service type, then instance name
    std::string problem; // why nothing could be listed ("avahi-daemon is not running"); else ""
};

// How long a browse gathers: at most `gather`, and less once every lookup is done and nothing
// new has come for `quiet`.
struct GatherTime {
    std::chrono::milliseconds gather{1500};
    std::chrono::milliseconds quiet{500};
};

// The most services a listing holds, so a hostile network cannot grow it without end.
inline constexpr std::size_t kMaxNetworkPrinters = 256;

// Browses and resolves the raw and IPP printer services of the local domain. A service that
// resolves to something unusable is listed with its problem. `cancelFd` (-1: none) ends it
// early with an empty list.
NetworkListing BrowseNetworkPrinters(const GatherTime& time, int cancelFd);

// Finds where a named service is now, within the deadline (woken by its cancel token), or says
// why it cannot be reached.
PortStatus ResolveNetworkPrinter(const NetworkServiceName& service, const Deadline& deadline,
                                 NetworkPrinter& printer);
