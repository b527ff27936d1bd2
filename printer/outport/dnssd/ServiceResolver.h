#pragma once

#include "printer/outport/dnssd/NetworkPrinter.h"

#include <avahi-client/lookup.h>

// What an Avahi resolver found, read into `printer`: host, address and port, the TXT keys this
// program reads, and the problem that keeps it from being used, if any.
void ReadResolved(NetworkPrinter& printer, const char* hostName, const AvahiAddress* address,
                  std::uint16_t port, AvahiStringList* txt);

// A resolver for any interface and protocol, calling `callback` with `userdata`.
AvahiServiceResolver* ResolveService(AvahiClient* client, AvahiIfIndex interface,
                                     AvahiProtocol protocol, const NetworkServiceName& service,
                                     AvahiServiceResolverCallback callback, void* userdata);
