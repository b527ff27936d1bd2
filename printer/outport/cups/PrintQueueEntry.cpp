// The print-queue module's entry: its table of functions, in the terms of PrintQueueModule.h.
#include "printer/outport/cups/PrintQueue.h"
#include "printer/outport/cups/PrintQueueModule.h"
#include "printer/outport/cups/QueueDirectory.h"
#include "printer/outport/cups/QueueJob.h"
#include "printer/outport/module/OnDemandModule.h"

#include <utility>

namespace {

QueueSummary Summary(PrintQueue queue) {
    QueueSummary summary;
    summary.description = queue.Description();
    summary.fix = queue.Fix();
    summary.usable = queue.Usable();
    summary.isDefault = queue.isDefault;
    summary.name = std::move(queue.name);
    summary.state = std::move(queue.state);
    return summary;
}

QueueSummaries List(const Deadline& deadline) {
    PrintQueueListing listing = ListPrintQueues(deadline);
    QueueSummaries summaries;
    for (PrintQueue& queue : listing.queues) {
        summaries.queues.push_back(Summary(std::move(queue)));
    }
    summaries.problem = std::move(listing.problem);
    return summaries;
}

QueueLookUp Describe(const PortTarget& target, const Deadline& deadline) {
    PrintQueueReport report = DescribePrintQueue(target, deadline);
    return {std::move(report.status), report.found, Summary(std::move(report.queue)),
            std::move(report.server)};
}

constexpr PrintQueueModule kTable{SendToPrintQueue, ProbePrintQueue, List, Describe};

} // namespace

TROVANEL_MODULE_ENTRY {
    return version == PrintQueueModule::kVersion ? &kTable : nullptr;
}
