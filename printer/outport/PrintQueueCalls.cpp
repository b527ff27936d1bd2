#include "printer/outport/PrintQueueCalls.h"

#include "printer/outport/module/OnDemandModule.h"

namespace {

// One module for the process, as dlopen has it anyway; null with `problem` set when unusable.
const PrintQueueModule* Module(std::string& problem) {
    static OnDemandModule module(PrintQueueModule::kFile, PrintQueueModule::kFeature,
                                 PrintQueueModule::kVersion);
    const auto* table = static_cast<const PrintQueueModule*>(module.Table());
    problem = module.Problem();
    return table;
}

} // namespace

PortStatus SendThroughQueue(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline) {
    std::string problem;
    const PrintQueueModule* module = Module(problem);
    return module != nullptr ? module->send(target, data, size, deadline)
                             : PortStatus::Failed(problem);
}

PortStatus ProbeQueue(const PortTarget& target, const Deadline& deadline) {
    std::string problem;
    const PrintQueueModule* module = Module(problem);
    return module != nullptr ? module->probe(target, deadline) : PortStatus::Failed(problem);
}

QueueSummaries ListServerQueues(const Deadline& deadline) {
    std::string problem;
    const PrintQueueModule* module = Module(problem);
    return module != nullptr ? module->list(deadline) : QueueSummaries{{}, problem};
}

QueueLookUp LookUpQueueOf(const PortTarget& target, const Deadline& deadline) {
    std::string problem;
    const PrintQueueModule* module = Module(problem);
    return module != nullptr ? module->describe(target, deadline)
                             : QueueLookUp{PortStatus::Failed(problem), false, {}, {}};
}
