#include "base/IoLoops.h"

#include <cerrno>
#include <unistd.h>

IoOutcome WriteLoop(int fd, const unsigned char* data, std::size_t size, const WriteCall& write,
                    const RoomWait& wait) {
    IoOutcome outcome;
    while (outcome.done < size) {
        const unsigned char* next = data + outcome.done;
        const std::size_t left = size - outcome.done;
        const ssize_t written = write ? write(fd, next, left) : ::write(fd, next, left);
        if (written > 0) {
            outcome.done += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        const bool full = written == 0 || errno == EAGAIN || errno == EWOULDBLOCK;
        if (!full) {
            outcome.error = errno;
            break;
        }
        outcome.error = wait ? wait() : (written == 0 ? EIO : errno);
        if (outcome.error != 0) {
            break;
        }
    }
    return outcome;
}

IoOutcome ReadLoop(int fd, unsigned char* buffer, std::size_t capacity) {
    IoOutcome outcome;
    while (outcome.done < capacity) {
        const ssize_t got = read(fd, buffer + outcome.done, capacity - outcome.done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            outcome.error = errno;
            break;
        }
        if (got == 0) {
            break;
        }
        outcome.done += static_cast<std::size_t>(got);
    }
    return outcome;
}
