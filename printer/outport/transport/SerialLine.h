#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>
#include <string>

// Sends bytes over a serial line held exclusively for the call, in raw mode with the framing of
// `options`, and waits until they have left the output queue.
PortStatus SendSerial(const std::string& path, const SerialOptions& options,
                      const unsigned char* data, std::size_t size, const Deadline& deadline);
