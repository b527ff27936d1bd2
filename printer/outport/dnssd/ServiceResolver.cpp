#include "printer/outport/dnssd/ServiceResolver.h"

#include "printer/outport/dnssd/AvahiSession.h"
#include "printer/outport/dnssd/NetworkBrowser.h"

#include <avahi-common/address.h>
#include <avahi-common/malloc.h>
#include <cerrno>
#include <string>

namespace {

bool LinkLocalIpv6(const AvahiAddress& address) {
    return address.proto == AVAHI_PROTO_INET6 && address.data.ipv6.address[0] == 0xFE &&
           (address.data.ipv6.address[1] & 0xC0U) == 0x80U;
}

// One lookup of one service, for a send.
struct SingleLookup {
    AvahiSession* session;
    NetworkPrinter* printer;
    bool done = false;
    bool found = false;
};

void OnResolved(AvahiServiceResolver* /*resolver*/, AvahiIfIndex /*interface*/,
                AvahiProtocol /*protocol*/, AvahiResolverEvent event, const char* /*name*/,
                const char* /*type*/, const char* /*domain*/, const char* hostName,
                const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
                AvahiLookupResultFlags /*flags*/, void* userdata) {
    auto* lookup = static_cast<SingleLookup*>(userdata);
    if (!lookup->done && event == AVAHI_RESOLVER_FOUND) {
        ReadResolved(*lookup->printer, hostName, address, port, txt);
        lookup->found = true;
    }
    lookup->done = true;
    lookup->session->Wake();
}

} // namespace

void ReadResolved(NetworkPrinter& printer, const char* hostName, const AvahiAddress* address,
                  std::uint16_t port, AvahiStringList* txt) {
    for (AvahiStringList* item = txt; item != nullptr; item = avahi_string_list_get_next(item)) {
        char* key = nullptr;
        char* value = nullptr;
        size_t size = 0;
        if (avahi_string_list_get_pair(item, &key, &value, &size) == 0) {
            KeepTxtValue(printer, key,
                         value == nullptr ? std::string_view() : std::string_view(value, size));
            avahi_free(key);
            avahi_free(value);
        }
    }
    std::string text;
    if (address != nullptr) {
        char buffer[AVAHI_ADDRESS_STR_MAX] = {};
        if (avahi_address_snprint(buffer, sizeof buffer, address) != nullptr) {
            text = buffer;
        }
    }
    SetResolved(printer, hostName == nullptr ? std::string() : std::string(hostName),
                std::move(text), port, address != nullptr && LinkLocalIpv6(*address));
}

AvahiServiceResolver* ResolveService(AvahiClient* client, AvahiIfIndex interface,
                                     AvahiProtocol protocol, const NetworkServiceName& service,
                                     AvahiServiceResolverCallback callback, void* userdata) {
    return avahi_service_resolver_new(client, interface, protocol, service.instance.c_str(),
                                      service.type.c_str(), service.domain.c_str(),
                                      AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), callback, userdata);
}

PortStatus ResolveNetworkPrinter(const NetworkServiceName& service, const Deadline& deadline,
                                 NetworkPrinter& printer) {
    const std::string named = "\"" + service.instance + "\" (" + service.type + ")";
    printer = NetworkPrinter();
    printer.service = service;
    // Made before the session, so the poll thread has stopped before it goes.
    SingleLookup lookup{nullptr, &printer};
    std::string problem;
    std::unique_ptr<AvahiSession> session = AvahiSession::Open(problem);
    if (!session) {
        return PortStatus::Failed(problem + ", so the printer " + named + " cannot be found");
    }
    lookup.session = session.get();
    if (ResolveService(session->Client(), AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, service, OnResolved,
                       &lookup) == nullptr ||
        !session->Start()) {
        return PortStatus::Failed("cannot look for the printer " + named);
    }
    for (;;) {
        {
            const PollLock lock(*session);
            if (lookup.done || !session->Problem().empty()) {
                break;
            }
        }
        if (session->WaitForNews(deadline, deadline.RemainingMs()) < 0) {
            return PortStatus::Failed("cancelled", ECANCELED);
        }
        if (deadline.Expired()) {
            break;
        }
    }
    const PollLock lock(*session);
    if (!session->Problem().empty()) {
        return PortStatus::Failed(session->Problem() + ", so the printer " + named +
                                  " cannot be found");
    }
    if (!lookup.found) {
        return PortStatus::Failed("no printer " + named + " answered on the network within " +
                                  std::to_string(deadline.Budget().count()) + " ms");
    }
    if (!printer.problem.empty()) {
        return PortStatus::Failed("the printer " + named + " cannot be used: " + printer.problem);
    }
    return PortStatus::Ok();
}
