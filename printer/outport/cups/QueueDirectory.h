#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/cups/PrintQueue.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <string>
#include <vector>

// The queues of the user's CUPS server, or why they could not be listed.
struct PrintQueueListing {
    std::vector<PrintQueue> queues;
    std::string problem; // "" when the server answered
};

PrintQueueListing ListPrintQueues(const Deadline& deadline);

// What a cups: or ipp:// target is now: `status` fails when the queue cannot take a job (or
// cannot be reached), and `queue` holds what the server said, if it answered.
struct PrintQueueReport {
    PortStatus status = PortStatus::Ok();
    bool found = false; // the server knows the queue
    PrintQueue queue;
    std::string server; // where the queue lives, for messages
};

PrintQueueReport DescribePrintQueue(const PortTarget& target, const Deadline& deadline);
