#include "printer/outport/cups/QueueDirectory.h"

#include "printer/outport/cups/PrintServer.h"

PrintQueueListing ListPrintQueues(const Deadline& deadline) {
    PrintQueueListing listing;
    PrintServerConnection server;
    PortStatus status = server.Open(UsersPrintServer(), deadline);
    if (status.ok()) {
        status = ListQueues(server, listing.queues);
    }
    listing.problem = status.reason();
    return listing;
}

PrintQueueReport DescribePrintQueue(const PortTarget& target, const Deadline& deadline) {
    const QueueAddress address = QueueAddressOf(target);
    PrintQueueReport report;
    report.server = address.server.Display();
    PrintServerConnection server;
    report.status = server.Open(address.server, deadline);
    if (report.status.ok()) {
        report.status = CheckQueue(server, address, report.queue);
        report.found = report.queue.state.state != PrinterState::State::Unknown;
    }
    return report;
}
