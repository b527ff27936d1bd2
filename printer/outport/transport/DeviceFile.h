#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>

// Sends bytes to a parallel port, a printer-class device, a FIFO, an existing file or a capture
// file; a bare path naming a terminal is handed on as a serial line with default framing.
PortStatus SendToDeviceFile(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline);
