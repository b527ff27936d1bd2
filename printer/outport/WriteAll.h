#pragma once

#include "Deadline.h"

#include <cstddef>

// Writes all `size` bytes to a non-blocking descriptor, resuming after partial writes, EINTR and
// EAGAIN until the deadline. Sockets are written with MSG_NOSIGNAL so a closed peer gives EPIPE
// instead of a signal. Returns 0, or the errno that stopped it (ETIMEDOUT for the deadline).
int WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
             bool socket);
