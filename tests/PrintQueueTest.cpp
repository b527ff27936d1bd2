// Sending through print queues of a real, private CUPS scheduler (tests/cups-scheduler.sh).
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/PrintScheduler.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class PrintQueueTest : public testing::Test {
protected:
    void SetUp() override {
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.UnsetPorts();
        m_environment.Set("OUTPORT_TIMEOUT_MS", "3000");
    }

    // "" when the block was sent, else the reason.
    std::string SendTo(const std::string& uri) {
        return OutPortToUri(uri.c_str(), static_cast<int>(m_block.size()), m_block.data()) == 1
                   ? std::string()
                   : OutPortLastError();
    }

    // How long `call` took.
    template <typename Call> static milliseconds Timed(Call call) {
        const auto start = Clock::now();
        call();
        return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    PrintScheduler m_scheduler;
    Bytes m_block = TrickyBlock();
};

std::string IppUri(const std::string& queue) {
    return "ipp://" + PrintScheduler::Server() + "/printers/" + queue;
}

TEST_F(PrintQueueTest, ExactBytesAreDoneWhenTheCallReturnsThroughEveryWayToNameAQueue) {
    WriteFile(m_dir.path() / "outport.conf", "COM2=cups:labels\n");
    struct Case {
        const char* way;
        std::function<int()> send;
    };
    const std::vector<Case> cases{
        {"cups:", [this] { return SendTo("cups:labels").empty() ? 1 : 0; }},
        {"ipp://", [this] { return SendTo(IppUri("labels")).empty() ? 1 : 0; }},
        {"COM2 in outport.conf",
         [this] { return OutPort(static_cast<int>(m_block.size()), 1, m_block.data()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        const std::string before = PrintScheduler::Printed("labels");
        ASSERT_EQ(c.send(), 1) << OutPortLastError();
        // The job is completed, so its bytes are all there already.
        const std::string printed = PrintScheduler::Printed("labels").substr(before.size());
        EXPECT_EQ(printed, std::string(m_block.begin(), m_block.end()));
        EXPECT_EQ(PrintScheduler::UnfinishedJobs("labels"), "");
    }
}

TEST_F(PrintQueueTest, QueueThatCannotTakeAJobFailsBeforeAnyJobIsMade) {
    const std::string server = PrintScheduler::Server();
    const std::vector<std::pair<std::string, std::string>> cases{
        {"nosuch", "cups:nosuch: no print queue 'nosuch' on " + server},
        {"stopped",
         "cups:stopped: the queue 'stopped' is stopped: paused (Waiting for a new print head)"},
        {"rejecting",
         "cups:rejecting: the queue 'rejecting' does not accept jobs: Closed for the inventory"},
        {"secret", "cups:secret: the print server asks for a password"},
    };
    for (const auto& [queue, reason] : cases) {
        SCOPED_TRACE(queue);
        EXPECT_EQ(SendTo("cups:" + queue), reason);
        EXPECT_EQ(PrintScheduler::Printed(queue), "");
        if (queue != "secret") { // whose jobs only a password shows
            EXPECT_EQ(PrintScheduler::UnfinishedJobs(queue), "");
        }
    }
    EXPECT_EQ(SendTo(IppUri("nosuch")),
              IppUri("nosuch") + ": no print queue 'nosuch' on " + server);
}

TEST_F(PrintQueueTest, UnfinishedJobIsCancelledOnTheServerWhenTheTimeOutEnds) {
    m_environment.Set("OUTPORT_TIMEOUT_MS", "1000");
    std::string reason;
    const milliseconds took = Timed([&] { reason = SendTo("cups:slow"); });
    EXPECT_EQ(reason, "cups:slow: the queue did not finish the job within 1 s; the job was "
                      "cancelled");
    EXPECT_GE(took, milliseconds(1000));
    EXPECT_LT(took, milliseconds(2000));
    EXPECT_EQ(PrintScheduler::UnfinishedJobs("slow"), "");
}

TEST_F(PrintQueueTest, QueueThatStopsOnTheJobGivesItsReasonsAndTheJobIsCancelled) {
    ASSERT_TRUE(PrintScheduler::Administer("cupsenable", "empty"));
    const std::string reason = SendTo("cups:empty");
    EXPECT_EQ(reason, "cups:empty: the queue 'empty' is stopped: out of paper, paused; the job "
                      "was cancelled");
    EXPECT_EQ(PrintScheduler::UnfinishedJobs("empty"), "");
    EXPECT_TRUE(PrintScheduler::Administer("cupsenable", "empty"));
}

TEST_F(PrintQueueTest, CancelFromAnotherThreadCancelsTheJobOnTheServer) {
    m_environment.Set("OUTPORT_COM1", "cups:slow");
    m_environment.Set("OUTPORT_TIMEOUT_MS", "20000");
    OutPortCancel* cancel = OutPortCancelCreate();
    auto send = std::async(std::launch::async, [&] {
        const int sent =
            OutPortCancellable(static_cast<int>(m_block.size()), 0, m_block.data(), cancel);
        return sent == 1 ? std::string() : std::string(OutPortLastError());
    });
    std::this_thread::sleep_for(milliseconds(500)); // the job is with the backend by now
    const milliseconds took = Timed([&] {
        OutPortCancelRequest(cancel);
        send.wait();
    });
    EXPECT_EQ(send.get(),
              "COM1 (cups:slow): cancelled after 38 of 38 bytes; the job was cancelled");
    EXPECT_LT(took, milliseconds(1000));
    EXPECT_EQ(PrintScheduler::UnfinishedJobs("slow"), "");
    OutPortCancelDestroy(cancel);
}

// A print server that takes each connection, reads the request and closes it unanswered.
class HangingUpServer {
public:
    HangingUpServer()
        : m_thread([this] {
              while (!m_bStop) {
                  pollfd wait{m_listener.Fd(), POLLIN, 0};
                  if (poll(&wait, 1, 50) <= 0) {
                      continue;
                  }
                  const int connection = accept(m_listener.Fd(), nullptr, nullptr);
                  std::array<char, 4096> request{};
                  (void)read(connection, request.data(), request.size());
                  close(connection);
              }
          }) {}
    HangingUpServer(const HangingUpServer&) = delete;
    HangingUpServer& operator=(const HangingUpServer&) = delete;
    ~HangingUpServer() {
        m_bStop = true;
        m_thread.join();
    }
    int Port() const { return m_listener.Port(); }

private:
    LoopbackListener m_listener;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

TEST_F(PrintQueueTest, ServerThatIsDownOrSilentFailsWithinTheTimeOut) {
    m_environment.Set("OUTPORT_TIMEOUT_MS", "1000");
    LoopbackListener down;
    const int downPort = down.Port();
    down.Close();
    LoopbackListener silent; // takes connections into its backlog and never answers
    LoopbackListener full(0);
    full.FillBacklog(); // connections wait for a handshake that never comes
    const HangingUpServer hangingUp;
    struct Case {
        std::string server;
        std::string reason;
    };
    const auto at = [](int port) { return "127.0.0.1:" + std::to_string(port); };
    const std::vector<Case> cases{
        {at(downPort), "no print server answers at " + at(downPort)},
        {at(silent.Port()), "the print server " + at(silent.Port()) + " did not answer within 1 s"},
        {at(full.Port()), "the print server " + at(full.Port()) + " did not answer within 1 s"},
        {at(hangingUp.Port()),
         "the print server " + at(hangingUp.Port()) + " broke off the connection"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        m_environment.Set("CUPS_SERVER", c.server);
        for (const std::string& uri :
             {std::string("cups:labels"), "ipp://" + c.server + "/printers/labels"}) {
            std::string reason;
            EXPECT_LT(Timed([&] { reason = SendTo(uri); }), milliseconds(1500));
            EXPECT_EQ(reason, uri + ": " + c.reason);
        }
    }
}

struct ListedQueue {
    std::string state;
    std::string reasons;
    std::optional<std::string> message; // none: the scheduler's own words, not checked
    int usable;
    int isDefault;
    std::string description;
};

TEST_F(PrintQueueTest, ListingGivesEveryQueueWithItsStateAndMarksTheDefault) {
    // The queue that runs out of paper tries a job, and stops.
    ASSERT_TRUE(PrintScheduler::Administer("cupsenable", "empty"));
    EXPECT_NE(SendTo("cups:empty"), "");
    OutPortDeviceList* list = OutPortListQueues(nullptr);
    EXPECT_STREQ(OutPortDeviceListProblem(list), "");
    const std::vector<std::pair<std::string, ListedQueue>> expected{
        {"empty", {"stopped", "media-empty-error paused", std::nullopt, 0, 0, "empty"}},
        {"labels", {"idle", "", "", 1, 1, "Label printer on the bench"}},
        {"rejecting", {"idle", "", "Closed for the inventory", 0, 0, "rejecting"}},
        {"secret", {"idle", "", "", 1, 0, "secret"}},
        {"slow", {"idle", "", "", 1, 0, "slow"}},
        {"stopped", {"stopped", "paused", "Waiting for a new print head", 0, 0, "stopped"}},
    };
    ASSERT_EQ(OutPortDeviceCount(list), static_cast<int>(expected.size()));
    for (int index = 0; index < OutPortDeviceCount(list); ++index) {
        const OutPortDevice* queue = OutPortDeviceAt(list, index);
        const auto& [name, want] = expected[static_cast<std::size_t>(index)];
        SCOPED_TRACE(name);
        EXPECT_EQ(queue->kind, OUTPORT_DEVICE_CUPS_QUEUE);
        EXPECT_EQ(queue->node, name);
        EXPECT_EQ(queue->uri, "cups:" + name);
        EXPECT_EQ(queue->description, want.description);
        EXPECT_EQ(queue->printer.state, want.state);
        EXPECT_EQ(queue->printer.reasons, want.reasons);
        if (want.message) {
            EXPECT_EQ(queue->printer.message, *want.message);
        }
        EXPECT_EQ(queue->usable, want.usable);
        EXPECT_EQ(queue->isDefault, want.isDefault);
    }
    OutPortFreeDevices(list);
    EXPECT_TRUE(PrintScheduler::Administer("cupsenable", "empty"));

    m_environment.Set("CUPS_SERVER", "127.0.0.1:1");
    list = OutPortListQueues(nullptr);
    EXPECT_EQ(OutPortDeviceCount(list), 0);
    EXPECT_STREQ(OutPortDeviceListProblem(list), "no print server answers at 127.0.0.1:1");
    OutPortFreeDevices(list);
}

TEST_F(PrintQueueTest, DescribingAQueueAsksItsServerAndProbingPrintsNothing) {
    struct Case {
        std::string uri;
        int present;
        int usable;
        std::string status;
        std::string state;
    };
    const std::string server = PrintScheduler::Server();
    const std::vector<Case> cases{
        {"cups:labels", 1, 1, "ready", "idle"},
        {IppUri("labels"), 1, 1, "ready", "idle"},
        {"cups:rejecting", 1, 0,
         "the queue 'rejecting' does not accept jobs: Closed for the inventory", "idle"},
        {"cups:nosuch", 0, 0, "no print queue 'nosuch' on " + server, "unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uri);
        OutPortTarget* target = OutPortDescribeUri(c.uri.c_str());
        EXPECT_EQ(target->valid, 1);
        EXPECT_EQ(target->present, c.present);
        EXPECT_EQ(target->usable, c.usable);
        EXPECT_EQ(target->status, c.status);
        EXPECT_EQ(target->printer.state, c.state);
        OutPortFreeTarget(target);

        const std::string printed = PrintScheduler::Printed("labels");
        EXPECT_EQ(OutPortProbe(c.uri.c_str()), c.usable);
        EXPECT_EQ(PrintScheduler::Printed("labels"), printed);
    }
}

} // namespace
