#include "base/IoLoops.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::vector<unsigned char> Pattern(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<unsigned char>(i % 253);
    }
    return bytes;
}

// A device that takes a few bytes at a time: a socket with the smallest send buffer, read
// slowly on the other side, so nearly every write is partial or finds no room.
TEST(IoLoops, WriteResumesAfterEveryPartialWrite) {
    std::array<int, 2> ends{};
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends.data()), 0);
    const int smallest = 1;
    ASSERT_EQ(setsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &smallest, sizeof smallest), 0);
    const std::vector<unsigned char> sent = Pattern(200'000);
    std::vector<unsigned char> got;
    std::thread device([&] {
        std::array<unsigned char, 512> chunk{};
        pollfd wait{ends[1], POLLIN, 0};
        while (poll(&wait, 1, 10'000) > 0) {
            const ssize_t n = read(ends[1], chunk.data(), chunk.size());
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), chunk.begin(), chunk.begin() + n);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    int waits = 0;
    const IoOutcome outcome = WriteLoop(ends[0], sent.data(), sent.size(), {}, [&] {
        ++waits;
        pollfd room{ends[0], POLLOUT, 0};
        return poll(&room, 1, 10'000) > 0 ? 0 : ETIMEDOUT;
    });
    shutdown(ends[0], SHUT_WR);
    device.join();
    close(ends[0]);
    close(ends[1]);
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.done, sent.size());
    EXPECT_GT(waits, 0);
    EXPECT_TRUE(got == sent) << got.size() << " bytes arrived";
}

TEST(IoLoops, WriteStopsWithTheErrorOfTheWaitOrOfTheDevice) {
    std::array<int, 2> ends{};
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends.data()), 0);
    const std::vector<unsigned char> sent = Pattern(1 << 20); // more than the socket holds
    IoOutcome outcome = WriteLoop(ends[0], sent.data(), sent.size(), {}, [] { return ETIMEDOUT; });
    EXPECT_EQ(outcome.error, ETIMEDOUT);
    EXPECT_GT(outcome.done, 0u);
    EXPECT_LT(outcome.done, sent.size());
    // Without a wait, a full descriptor is a failure rather than a busy loop.
    outcome = WriteLoop(ends[0], sent.data(), sent.size());
    EXPECT_EQ(outcome.error, EAGAIN);
    close(ends[1]);
    outcome = WriteLoop(ends[0], sent.data(), sent.size(), [](int fd, auto* data, auto size) {
        return send(fd, data, size, MSG_NOSIGNAL);
    });
    EXPECT_EQ(outcome.error, EPIPE);
    close(ends[0]);
}

// A pipe hands over what its writer has written so far, so the reader gets it in pieces.
TEST(IoLoops, ReadGathersPiecesUntilFullOrTheEnd) {
    std::array<int, 2> pipe{};
    ASSERT_EQ(pipe2(pipe.data(), O_CLOEXEC), 0);
    const std::vector<unsigned char> sent = Pattern(100);
    std::thread writer([&] {
        for (std::size_t at = 0; at < sent.size(); at += 7) {
            const std::size_t size = std::min<std::size_t>(7, sent.size() - at);
            ASSERT_EQ(write(pipe[1], sent.data() + at, size), static_cast<ssize_t>(size));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        close(pipe[1]);
    });
    std::vector<unsigned char> first(40);
    IoOutcome outcome = ReadLoop(pipe[0], first.data(), first.size());
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.done, 40u);
    std::vector<unsigned char> rest(100);
    outcome = ReadLoop(pipe[0], rest.data(), rest.size());
    writer.join();
    close(pipe[0]);
    EXPECT_EQ(outcome.error, 0);
    ASSERT_EQ(outcome.done, 60u);
    first.insert(first.end(), rest.begin(), rest.begin() + 60);
    EXPECT_TRUE(first == sent);
    EXPECT_EQ(ReadLoop(-1, rest.data(), rest.size()).error, EBADF);
}

// A signal whose handler does not ask for restarting interrupts a read with EINTR; the loop
// reads on.
TEST(IoLoops, ReadIsResumedAfterASignal) {
    struct sigaction handler {};
    handler.sa_handler = [](int) {};
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &handler, &previous), 0);
    std::array<int, 2> pipe{};
    ASSERT_EQ(pipe2(pipe.data(), O_CLOEXEC), 0);
    std::array<unsigned char, 10> got{};
    IoOutcome outcome;
    std::thread reader([&] { outcome = ReadLoop(pipe[0], got.data(), got.size()); });
    for (int signal = 0; signal < 3; ++signal) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        pthread_kill(reader.native_handle(), SIGUSR1);
    }
    ASSERT_EQ(write(pipe[1], "0123456789", 10), 10);
    reader.join();
    sigaction(SIGUSR1, &previous, nullptr);
    close(pipe[0]);
    close(pipe[1]);
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.done, got.size());
}

} // namespace
