// The network printer module's entry: its table of functions, in the terms of
// NetworkServiceModule.h.
#include "printer/outport/dnssd/NetworkServiceModule.h"
#include "printer/outport/module/OnDemandModule.h"

namespace {

constexpr NetworkServiceModule kTable{BrowseNetworkPrinters, ResolveNetworkPrinter};

} // namespace

TROVANEL_MODULE_ENTRY {
    return version == NetworkServiceModule::kVersion ? &kTable : nullptr;
}
