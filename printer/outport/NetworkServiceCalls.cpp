#include "printer/outport/NetworkServiceCalls.h"

#include "printer/outport/module/OnDemandModule.h"

namespace {

// One module for the process, as dlopen has it anyway; null with `problem` set when unusable.
const NetworkServiceModule* Module(std::string& problem) {
    static OnDemandModule module(NetworkServiceModule::kFile, NetworkServiceModule::kFeature,
                                 NetworkServiceModule::kVersion);
    const auto* table = static_cast<const NetworkServiceModule*>(module.Table());
    problem = module.Problem();
    return table;
}

} // namespace

NetworkListing BrowseNetwork(const GatherTime& time, int cancelFd) {
    std::string problem;
    const NetworkServiceModule* module = Module(problem);
    return module != nullptr ? module->browse(time, cancelFd) : NetworkListing{{}, problem};
}

PortStatus ResolveNetworkService(const NetworkServiceName& service, const Deadline& deadline,
                                 NetworkPrinter& printer) {
    std::string problem;
    const NetworkServiceModule* module = Module(problem);
    return module != nullptr ? module->resolve(service, deadline, printer)
                             : PortStatus::Failed(problem);
}
