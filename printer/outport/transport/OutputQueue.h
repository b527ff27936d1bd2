#pragma once

#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

// Waits, against the deadline, until a serial line's output queue and then its transmitter are
// empty (ETIMEDOUT when they are not in time). A descriptor without an output queue counts as
// empty at once.
PortStatus WaitForEmptyOutput(int fd, const Deadline& deadline);
