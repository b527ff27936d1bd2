#include "printer/outport/dnssd/NetworkBrowser.h"

#include "printer/outport/dnssd/AvahiSession.h"
#include "printer/outport/dnssd/ServiceResolver.h"

#include <algorithm>
#include <array>
#include <avahi-client/lookup.h>
#include <deque>
#include <map>
#include <tuple>

namespace {

using Clock = std::chrono::steady_clock;

// Resolvers open at once: the daemon limits the objects of one client.
constexpr int kMaxResolving = 32;

using ServiceKey = std::tuple<std::string, std::string, std::string>; // instance, type, domain

struct Browse;

// One service seen, with the resolver asking where it is.
struct Seen {
    Browse* browse = nullptr;
    NetworkPrinter printer;
    int sightings = 0; // once for each interface and protocol it is announced on
    AvahiIfIndex interface = AVAHI_IF_UNSPEC;
    AvahiProtocol protocol = AVAHI_PROTO_UNSPEC;
    AvahiServiceResolver* resolver = nullptr;
    bool resolved = false;
};

// What the callbacks gather, under the session's poll lock.
struct Browse {
    AvahiSession* session = nullptr;
    std::map<ServiceKey, Seen> seen;
    std::deque<ServiceKey> waiting; // to be resolved once a resolver is free
    int resolving = 0;
    int browsersDone = 0;
    Clock::time_point lastNews = Clock::now();

    void ResolveWaiting();
    bool Settled(const GatherTime& time) const {
        return resolving == 0 && waiting.empty() &&
               (browsersDone == 3 || Clock::now() - lastNews >= time.quiet);
    }
};

void OnResolved(AvahiServiceResolver* resolver, AvahiIfIndex /*interface*/,
                AvahiProtocol /*protocol*/, AvahiResolverEvent event, const char* /*name*/,
                const char* /*type*/, const char* /*domain*/, const char* hostName,
                const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
                AvahiLookupResultFlags /*flags*/, void* userdata) {
    auto* seen = static_cast<Seen*>(userdata);
    if (event == AVAHI_RESOLVER_FOUND) {
        ReadResolved(seen->printer, hostName, address, port, txt);
    } else {
        SetResolved(seen->printer, {}, {}, 0, false);
    }
    avahi_service_resolver_free(resolver);
    seen->resolver = nullptr;
    seen->resolved = true;
    Browse& browse = *seen->browse;
    --browse.resolving;
    browse.lastNews = Clock::now();
    browse.ResolveWaiting();
    browse.session->Wake();
}

void Browse::ResolveWaiting() {
    while (resolving < kMaxResolving && !waiting.empty()) {
        const auto found = seen.find(waiting.front());
        waiting.pop_front();
        if (found == seen.end() || found->second.resolved || found->second.resolver != nullptr) {
            continue;
        }
        Seen& item = found->second;
        item.resolver = ResolveService(session->Client(), item.interface, item.protocol,
                                       item.printer.service, OnResolved, &item);
        if (item.resolver == nullptr) {
            SetResolved(item.printer, {}, {}, 0, false);
            item.resolved = true;
        } else {
            ++resolving;
        }
    }
}

void OnBrowsed(AvahiServiceBrowser* /*browser*/, AvahiIfIndex interface, AvahiProtocol protocol,
               AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
               AvahiLookupResultFlags /*flags*/, void* userdata) {
    auto& browse = *static_cast<Browse*>(userdata);
    if (event == AVAHI_BROWSER_ALL_FOR_NOW || event == AVAHI_BROWSER_FAILURE) {
        ++browse.browsersDone;
    } else if (event == AVAHI_BROWSER_NEW || event == AVAHI_BROWSER_REMOVE) {
        ServiceKey key{name, type, domain};
        const auto found = browse.seen.find(key);
        if (event == AVAHI_BROWSER_NEW && found != browse.seen.end()) {
            ++found->second.sightings;
        } else if (event == AVAHI_BROWSER_NEW && browse.seen.size() < kMaxNetworkPrinters) {
            Seen& item = browse.seen[key];
            item.browse = &browse;
            item.printer.service = {name, type, domain};
            item.sightings = 1;
            item.interface = interface;
            item.protocol = protocol;
            browse.waiting.push_back(std::move(key));
            browse.ResolveWaiting();
        } else if (event == AVAHI_BROWSER_REMOVE && found != browse.seen.end() &&
                   --found->second.sightings == 0) {
            if (found->second.resolver != nullptr) {
                avahi_service_resolver_free(found->second.resolver);
                --browse.resolving;
            }
            browse.seen.erase(found);
            browse.ResolveWaiting();
        }
        browse.lastNews = Clock::now();
    }
    browse.session->Wake();
}

bool Before(const NetworkPrinter& a, const NetworkPrinter& b) {
    return std::tie(a.service.type, a.service.instance, a.service.domain) <
           std::tie(b.service.type, b.service.instance, b.service.domain);
}

} // namespace

NetworkListing BrowseNetworkPrinters(const GatherTime& time, int cancelFd) {
    NetworkListing listing;
    Browse browse; // made before the session, so the poll thread has stopped before it goes
    std::unique_ptr<AvahiSession> session = AvahiSession::Open(listing.problem);
    if (!session) {
        return listing;
    }
    browse.session = session.get();
    constexpr std::array kTypes{kRawPrinterService, kIppPrinterService, kIppsPrinterService};
    for (const std::string_view type : kTypes) {
        if (avahi_service_browser_new(session->Client(), AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                      std::string(type).c_str(), nullptr, AvahiLookupFlags(0),
                                      OnBrowsed, &browse) == nullptr) {
            listing.problem = AvahiProblem(avahi_client_errno(session->Client()));
            return listing;
        }
    }
    if (!session->Start()) {
        listing.problem = "cannot start a DNS-SD lookup: out of resources";
        return listing;
    }
    const Deadline deadline(time.gather, cancelFd);
    constexpr int kSliceMs = 50; // how often the quiet time is looked at
    for (;;) {
        {
            const PollLock lock(*session);
            if (!session->Problem().empty() || browse.Settled(time)) {
                break;
            }
        }
        if (session->WaitForNews(deadline, kSliceMs) < 0) {
            return {};
        }
        if (deadline.Expired()) {
            break;
        }
    }
    const PollLock lock(*session);
    if (!session->Problem().empty()) {
        listing.problem = session->Problem();
        return listing;
    }
    for (auto& [key, item] : browse.seen) {
        if (!item.resolved) {
            DescribeFromTxt(item.printer);
            item.printer.problem =
                "it did not resolve within " + std::to_string(time.gather.count()) + " ms";
        }
        listing.printers.push_back(std::move(item.printer));
    }
    std::sort(listing.printers.begin(), listing.printers.end(), Before);
    return listing;
}
