#pragma once

// What the network printer module (trovanel-dnssd.so, loaded on demand) gives the rest of the
// port library: one table of functions. Only the library's own types cross, never Avahi's, so
// that nothing of Avahi or D-Bus is mapped before network printers are looked for.
#include "printer/outport/dnssd/NetworkBrowser.h"

struct NetworkServiceModule {
    // Raised with every change to this file or to the types it passes, so that a program never
    // uses a module built from other sources.
    static constexpr unsigned kVersion = 1;
    static constexpr const char* kFile = "trovanel-dnssd.so";
    static constexpr const char* kFeature = "network printer support";

    NetworkListing (*browse)(const GatherTime& time, int cancelFd);
    PortStatus (*resolve)(const NetworkServiceName& service, const Deadline& deadline,
                          NetworkPrinter& printer);
};
