#pragma once

#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>

// Writes all `size` bytes to a non-blocking descriptor, waiting for room while it is full, until
// the deadline (then ETIMEDOUT). A closed peer or reader gives EPIPE, never SIGPIPE: sockets are
// written with MSG_NOSIGNAL, anything else with the signal blocked for the calling thread.
PortStatus WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
                    bool socket);
