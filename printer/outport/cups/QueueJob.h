#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>

// Sends `data` as one raw job through the print queue `target` names (a cups: queue or an
// ipp:// printer) and waits, within `deadline`, until the queue has finished it. A job that
// cannot be finished in time, or is cancelled, is cancelled on the server before the call
// returns, so that it is never printed later.
PortStatus SendToPrintQueue(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline);

// Checks, without printing anything, that the queue exists and takes jobs.
PortStatus ProbePrintQueue(const PortTarget& target, const Deadline& deadline);
