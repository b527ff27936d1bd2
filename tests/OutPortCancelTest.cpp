// Cancelling OutPortCancellable from another thread while it waits on a stalled device.
#include "printer/outport/OutPort.h"
#include "tests/Environment.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kBlockSize = 38;

// The outcome of one call made on its own thread, with that thread's reason.
struct Outcome {
    int result = -1;
    std::string error;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << outcome.result << " \"" << outcome.error << '"';
}

// Owns a token and the thread running one OutPortCancellable call with it.
class CancellableSend {
public:
    CancellableSend(int port, Bytes block) : m_block(std::move(block)) {
        m_pCancel = OutPortCancelCreate();
        m_outcome = std::async(std::launch::async, [this, port] {
            const int result = OutPortCancellable(static_cast<int>(m_block.size()), port,
                                                  m_block.data(), m_pCancel);
            return Outcome{result, OutPortLastError()};
        });
    }
    CancellableSend(const CancellableSend&) = delete;
    CancellableSend& operator=(const CancellableSend&) = delete;
    ~CancellableSend() {
        OutPortCancelRequest(m_pCancel);
        if (m_outcome.valid()) {
            m_outcome.wait();
        }
        OutPortCancelDestroy(m_pCancel);
    }

    Outcome CancelAndWait() {
        OutPortCancelRequest(m_pCancel);
        return m_outcome.get();
    }
    bool Finished() const {
        return m_outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

private:
    Bytes m_block;
    OutPortCancel* m_pCancel = nullptr;
    std::future<Outcome> m_outcome;
};

// Waits, without any bound of its own, until `ready` holds or the call ended; the call's
// long time-out ends a test whose seam never shows up.
void WaitFor(const CancellableSend& send, const std::function<bool()>& ready) {
    while (!ready() && !send.Finished()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// How many descriptors of this process have `path` open: the call's own shows up here.
int OpenCount(const fs::path& path) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ignored;
        if (fs::read_symlink(entry.path(), ignored) == path) {
            ++count;
        }
    }
    return count;
}

// How many connections to 127.0.0.1:`port` are in SYN-SENT: connects still in flight.
int ConnectsInFlight(int port) {
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);
    char wanted[16];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
    int count = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (remote == wanted && state == "02") {
            ++count;
        }
    }
    return count;
}

// Each test points COM1 or LPT1 at its own endpoint with a time-out far beyond any test, so
// only cancellation can end a stalled call in time.
class OutPortCancelTest : public testing::Test {
protected:
    void SetUp() override {
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.Set("OUTPORT_TIMEOUT_MS", "20000");
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

// What a call cancelled before any of the block left the caller ends with.
Outcome CancelledUnsent(const std::string& device) {
    return {0, device + ": cancelled after 0 of " + std::to_string(kBlockSize) + " bytes"};
}

TEST_F(OutPortCancelTest, StalledSerialLineIsReleasedAndGetsNothingLater) {
    PseudoTerminal pty;
    pty.Stall();
    m_environment.Set("OUTPORT_COM1", pty.Name());
    const int ownOpen = OpenCount(pty.Name());
    CancellableSend send(0, Bytes(kBlockSize, 'A'));
    WaitFor(send, [&] { return OpenCount(pty.Name()) > ownOpen; });
    EXPECT_EQ(send.CancelAndWait(), CancelledUnsent("COM1 (" + pty.Name() + ")"));

    EXPECT_EQ(OpenCount(pty.Name()), ownOpen);
    EXPECT_TRUE(pty.Released());
    pty.Resume();
    EXPECT_TRUE(pty.Received().empty());
}

// The master is not read, so the line takes what fits in its buffers and then stalls. A pty
// drops what its buffers held when the line is flushed and keeps only what the other end
// had already taken (which may be nothing), so the count lies between that and the whole block.
TEST_F(OutPortCancelTest, PartlySentBlockCountsWhatLeftTheCaller) {
    PseudoTerminal pty;
    m_environment.Set("OUTPORT_COM1", pty.Name());
    const int ownOpen = OpenCount(pty.Name());
    const Bytes block(1 << 20, 'B');
    CancellableSend send(0, block);
    WaitFor(send, [&] { return OpenCount(pty.Name()) > ownOpen; });
    const Outcome outcome = send.CancelAndWait();
    EXPECT_EQ(outcome.result, 0);
    const std::string prefix = "COM1 (" + pty.Name() + "): cancelled after ";
    const std::string suffix = " of " + std::to_string(block.size()) + " bytes";
    ASSERT_EQ(outcome.error.rfind(prefix, 0), 0u) << outcome.error;
    ASSERT_GT(outcome.error.size(), prefix.size() + suffix.size());
    EXPECT_EQ(outcome.error.substr(outcome.error.size() - suffix.size()), suffix);
    const std::size_t counted = std::stoul(outcome.error.substr(prefix.size()));
    EXPECT_GE(counted, pty.Received().size());
    EXPECT_LT(counted, block.size());
}

// Loopback with a full backlog: the kernel drops the SYNs, so connect waits.
TEST_F(OutPortCancelTest, ConnectToAPeerThatNeverAcceptsIsCancelled) {
    LoopbackListener listener(0);
    listener.FillBacklog();
    const int port = listener.Port();
    m_environment.Set("OUTPORT_LPT1", listener.Uri());
    const int fillersInFlight = ConnectsInFlight(port);
    CancellableSend send(2, Bytes(kBlockSize, 'C'));
    WaitFor(send, [&] { return ConnectsInFlight(port) > fillersInFlight; });
    EXPECT_EQ(send.CancelAndWait(),
              CancelledUnsent("LPT1 (127.0.0.1:" + std::to_string(port) + ")"));
}

// A FIFO whose reader has stopped reading and whose buffer is full: the write waits.
TEST_F(OutPortCancelTest, WriteToAFullFifoIsCancelled) {
    const fs::path fifo = m_dir.path() / "printer.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const int filler = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    const Bytes chunk(4096, 'F');
    while (write(filler, chunk.data(), chunk.size()) > 0) {
    }
    m_environment.Set("OUTPORT_LPT1", fifo.string());
    {
        CancellableSend send(2, Bytes(kBlockSize, 'D'));
        WaitFor(send, [&] { return OpenCount(fifo) > 2; });
        EXPECT_EQ(send.CancelAndWait(), CancelledUnsent("LPT1 (" + fifo.string() + ")"));
    }
    EXPECT_EQ(OpenCount(fifo), 2);
    close(filler);
    close(reader);
}

OutPortCancel* g_pSignalCancel = nullptr;

void CancelFromSignal(int) {
    OutPortCancelRequest(g_pSignalCancel);
}

// A request made inside a signal handler that interrupted the call's own wait.
TEST_F(OutPortCancelTest, SignalHandlerCanCancelTheCallItInterrupted) {
    PseudoTerminal pty;
    pty.Stall();
    m_environment.Set("OUTPORT_COM1", pty.Name());
    g_pSignalCancel = OutPortCancelCreate();
    ASSERT_NE(g_pSignalCancel, nullptr);
    struct sigaction action {};
    action.sa_handler = CancelFromSignal;
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

    const int ownOpen = OpenCount(pty.Name());
    std::promise<pthread_t> sender;
    std::future<Outcome> outcome = std::async(std::launch::async, [&] {
        sender.set_value(pthread_self());
        Bytes block(kBlockSize, 'E');
        const int result = OutPortCancellable(kBlockSize, 0, block.data(), g_pSignalCancel);
        return Outcome{result, OutPortLastError()};
    });
    const pthread_t thread = sender.get_future().get();
    while (OpenCount(pty.Name()) == ownOpen &&
           outcome.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    pthread_kill(thread, SIGUSR1);
    EXPECT_EQ(outcome.get(), CancelledUnsent("COM1 (" + pty.Name() + ")"));
    sigaction(SIGUSR1, &previous, nullptr);
    OutPortCancelDestroy(g_pSignalCancel);
}

// A token requested before the call sends nothing; the reason stays with the thread that
// called, and a call without a token is unaffected.
TEST_F(OutPortCancelTest, RequestBeforeTheCallSendsNothingAndReasonsStayPerThread) {
    PseudoTerminal pty;
    m_environment.Set("OUTPORT_COM1", pty.Name());
    Bytes block(kBlockSize, 'G');
    ASSERT_EQ(OutPortCancellable(kBlockSize, 0, block.data(), nullptr), 1) << OutPortLastError();
    EXPECT_EQ(pty.Received(), block);

    OutPortCancel* cancel = OutPortCancelCreate();
    OutPortCancelRequest(cancel);
    OutPortCancelRequest(cancel);
    const Outcome other = std::async(std::launch::async, [&] {
                              const int result =
                                  OutPortCancellable(kBlockSize, 0, block.data(), cancel);
                              return Outcome{result, OutPortLastError()};
                          }).get();
    EXPECT_EQ(other, CancelledUnsent("COM1 (" + pty.Name() + ")"));
    EXPECT_TRUE(pty.Received().empty());
    EXPECT_EQ(std::string(OutPortLastError()), ""); // this thread's own call succeeded
    OutPortCancelDestroy(cancel);
    OutPortCancelRequest(nullptr);
    OutPortCancelDestroy(nullptr);
}

} // namespace
