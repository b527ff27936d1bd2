#pragma once

#include "Deadline.h"

#include <cstddef>

// Writes all `size` bytes to a non-blocking descriptor, resuming after partial writes, EINTR and
// EAGAIN until the deadline. A closed peer or reader gives EPIPE, never SIGPIPE: sockets are
// written with MSG_NOSIGNAL, anything else with the signal blocked for the calling thread.
// Returns 0, or the errno that stopped it (ETIMEDOUT for the deadline).
int WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
             bool socket);
