#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>

// Sends bytes to a network printer's raw TCP port (9100 by default), connecting, writing and
// closing within the deadline.
PortStatus SendToSocket(const PortTarget& target, const unsigned char* data, std::size_t size,
                        const Deadline& deadline);
