// Print servers as untrusted input: fake servers on loopback that answer oddly, slowly, without
// end or not at all, and a listing whose server never answers.
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/Environment.h"
#include "tests/FakeIppServer.h"
#include "tests/WorkDirectory.h"

#include <chrono>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class PrintServerTest : public testing::Test {
protected:
    void SetUp() override {
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.UnsetPorts();
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// A server that answers every request with `status`, `body` and `headers`.
FakeBehaviour Answering(const std::string& status, const std::string& body = "",
                        const std::string& headers = "") {
    return {FakeIppServer::Http(status, body, headers)};
}

TEST_F(PrintServerTest, OddServerIsUsedOrGivesAReasonWithinTheTimeOutOrOnCancel) {
    const std::string lines = std::string(FakeIppServer::kContinue) + "HTTP/1.1 200 OK\r\n";
    const FakeBehaviour dribbling{lines, "X", 20};
    const FakeBehaviour silent{""};
    // Version 2.0, status OK, request 1, operation attributes; then one keyword attribute.
    const std::string start("\x02\x00\x00\x00\x00\x00\x00\x01\x01", 9);
    const std::string attribute("\x44\x00\x01x\x00\x08keywords", 14);
    const std::string late = "did not answer within 1 s";
    const std::string cancelled = "cancelled after 0 of 0 bytes";
    struct Case {
        const char* server;
        FakeBehaviour behaviour;
        const char* scheme;
        std::string reason; // how the reason ends; "" when the queue is fine
        int withinMs;
        int cancelAfterMs = 0; // 0: not cancelled, and a time-out of 1 s
    };
    const std::vector<Case> cases{
        {"gives texts as integers",
         {FakeIppServer::kContinue + Answering("200 OK", FakeIppServer::QueueAnswer(true)).reply},
         "ipp",
         "",
         900},
        {"sends no 100 Continue", Answering("200 OK", FakeIppServer::QueueAnswer(false)), "ipp", "",
         900},
        {"refuses this host", Answering("403 Forbidden"), "ipp",
         "does not allow this computer or user to do that", 900},
        {"sends the queue elsewhere",
         Answering("301 Moved Permanently", "", "Location: ipp://elsewhere.example/x\r\n"), "ipp",
         "says this has moved to ipp://elsewhere.example/x", 900},
        {"dribbles header lines", dribbling, "ipp", late, 1500},
        {"dribbles the body", {lines + "Content-Length: 9000\r\n\r\n", "X", 20}, "ipp", late, 1500},
        {"sends attributes without end",
         {lines + "Content-Length: 1000000000\r\n\r\n" + start, attribute, 0},
         "ipp",
         "sent an answer larger than 1 MiB",
         1000},
        {"never starts TLS", silent, "ipps", late, 1500},
        {"refuses the TLS handshake",
         {"", "", 0, std::string("\x15\x03\x03\x00\x02\x02\x28", 7)},
         "ipps",
         "failed: A TLS fatal alert has been received.",
         900},
        {"dribbles while cancelled", dribbling, "ipp", cancelled, 800, 300},
        {"never starts TLS while cancelled", silent, "ipps", cancelled, 800, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        m_environment.Set("OUTPORT_TIMEOUT_MS", c.cancelAfterMs > 0 ? "20000" : "1000");
        const FakeIppServer server(c.behaviour);
        const std::string uri = std::string(c.scheme) + "://" + server.Server() + "/printers/x";
        OutPortCancel* cancel = OutPortCancelCreate();
        const auto start = Clock::now();
        auto probe = std::async(std::launch::async, [&] {
            return OutPortToUriCancellable(uri.c_str(), 0, nullptr, cancel) == 1
                       ? std::string()
                       : std::string(OutPortLastError());
        });
        if (c.cancelAfterMs > 0) {
            std::this_thread::sleep_for(milliseconds(c.cancelAfterMs));
            OutPortCancelRequest(cancel);
        }
        const std::string reason = probe.get();
        EXPECT_EQ(reason.empty(), c.reason.empty()) << reason;
        EXPECT_TRUE(reason.ends_with(c.reason)) << reason;
        EXPECT_LT(Since(start), milliseconds(c.withinMs));
        OutPortCancelDestroy(cancel);
    }
}

TEST_F(PrintServerTest, WrongTypesCountAsAbsentWhenAQueueIsDescribedOrListed) {
    const FakeIppServer server(Answering("200 OK", FakeIppServer::QueueAnswer(true)));
    OutPortTarget* target =
        OutPortDescribeUri(("ipp://" + server.Server() + "/printers/x").c_str());
    EXPECT_STREQ(target->status, "ready");
    EXPECT_STREQ(target->description, "labels");
    EXPECT_STREQ(target->printer.reasons, "");
    OutPortFreeTarget(target);

    m_environment.Set("CUPS_SERVER", server.Server());
    OutPortDeviceList* list = OutPortListQueues(nullptr);
    EXPECT_STREQ(OutPortDeviceListProblem(list), "");
    ASSERT_EQ(OutPortDeviceCount(list), 1);
    EXPECT_STREQ(OutPortDeviceAt(list, 0)->node, "labels");
    OutPortFreeDevices(list);
}

TEST_F(PrintServerTest, PortsListingEndsWithinOneTimeOutOfAServerThatNeverAnswers) {
    LoopbackListener silent; // takes connections into its backlog and never answers
    m_environment.Set("CUPS_SERVER", "127.0.0.1:" + std::to_string(silent.Port()));
    m_environment.Set("OUTPORT_TIMEOUT_MS", "1000");
    WriteFile(m_dir.path() / "outport.conf",
              "COM1=cups:a\nCOM2=cups:b\nLPT1=cups:c\nLPT2=cups:d\n");
    const auto start = Clock::now();
    FILE* program = popen(TROVANEL_PROGRAM " ports --json 2>&1", "r");
    ASSERT_NE(program, nullptr);
    std::array<char, 4096> chunk{};
    while (std::fread(chunk.data(), 1, chunk.size(), program) > 0) {
    }
    EXPECT_EQ(pclose(program), 0);
    EXPECT_LT(Since(start), milliseconds(1800));
}

} // namespace
