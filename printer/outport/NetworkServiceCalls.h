#pragma once

// The network printer module's calls (dnssd/NetworkServiceModule.h). The first of them loads the
// module, and with it Avahi's client library; without the module each fails saying why.
#include "printer/outport/dnssd/NetworkServiceModule.h"

NetworkListing BrowseNetwork(const GatherTime& time, int cancelFd);
PortStatus ResolveNetworkService(const NetworkServiceName& service, const Deadline& deadline,
                                 NetworkPrinter& printer);
