#pragma once

// The print-queue module's calls (cups/PrintQueueModule.h). The first of them loads the module,
// and with it libcups; without the module each fails saying why.
#include "printer/outport/cups/PrintQueueModule.h"

PortStatus SendThroughQueue(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline);
PortStatus ProbeQueue(const PortTarget& target, const Deadline& deadline);
QueueSummaries ListServerQueues(const Deadline& deadline);
QueueLookUp LookUpQueueOf(const PortTarget& target, const Deadline& deadline);
