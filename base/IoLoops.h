#pragma once

#include <cstddef>
#include <functional>
#include <sys/types.h>

// The loops around read(2) and write(2) that every caller needs: resuming after partial
// transfers and EINTR. Policy (deadlines, signals, what to do while a descriptor is full) stays
// with the caller.

// How many bytes moved, and the errno that stopped the loop (0 when it finished).
struct IoOutcome {
    int error = 0;
    std::size_t done = 0;
};

// One attempt at writing, returning as write(2) does: write(2) itself, or send(2) with flags.
using WriteCall = std::function<ssize_t(int fd, const unsigned char* data, std::size_t size)>;

// Called when the descriptor takes nothing now (EAGAIN, or a write of no bytes): waits for room,
// then returns 0 to try again or the errno to stop with.
using RoomWait = std::function<int()>;

// Writes all `size` bytes with `write` (write(2) when empty). Without a `wait`, a write that
// takes nothing fails the loop: a blocking descriptor never returns EAGAIN.
IoOutcome WriteLoop(int fd, const unsigned char* data, std::size_t size,
                    const WriteCall& write = {}, const RoomWait& wait = {});

// Reads until `capacity` bytes are in `buffer` or the end of the file.
IoOutcome ReadLoop(int fd, unsigned char* buffer, std::size_t capacity);
