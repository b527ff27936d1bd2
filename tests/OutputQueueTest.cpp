#include "printer/outport/transport/OutputQueue.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A pty has no output queue. On a local stream socket the same request (SIOCOUTQ is TIOCOUTQ)
// counts the bytes the peer has not read yet: a queue that drains as slowly as the peer reads.
class SlowLine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_ends.data()), 0);
        const std::array<unsigned char, 64> block{};
        ASSERT_EQ(write(m_ends[0], block.data(), block.size()), 64);
    }
    void TearDown() override {
        close(m_ends[0]);
        close(m_ends[1]);
    }
    int Queued() const {
        int queued = -1;
        ioctl(m_ends[0], SIOCOUTQ, &queued);
        return queued;
    }

    std::array<int, 2> m_ends{};
};

TEST_F(SlowLine, WaitEndsOnlyWhenThePrinterHasTakenEverything) {
    std::thread printer([this] {
        std::array<unsigned char, 8> chunk{};
        for (int i = 0; i < 8; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ASSERT_EQ(read(m_ends[1], chunk.data(), chunk.size()), 8);
        }
    });
    const PortStatus status = WaitForEmptyOutput(m_ends[0], Deadline(std::chrono::seconds(30)));
    EXPECT_EQ(Queued(), 0);
    printer.join();
    EXPECT_TRUE(status.ok()) << status.reason();
}

TEST_F(SlowLine, QueueThatNeverDrainsTimesOut) {
    const PortStatus status =
        WaitForEmptyOutput(m_ends[0], Deadline(std::chrono::milliseconds(50)));
    EXPECT_EQ(status.error(), ETIMEDOUT);
    EXPECT_GT(Queued(), 0);
}

} // namespace
