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

    // "" when the block was sent, else the reason.
    std::string SendTo(const std::string& uri, OutPortCancel* cancel = nullptr) {
        return OutPortToUriCancellable(uri.c_str(), static_cast<int>(m_block.size()),
                                       m_block.data(), cancel) == 1
                   ? std::string()
                   : OutPortLastError();
    }

    template <typename Call> static milliseconds Timed(Call call) {
        const auto start = Clock::now();
        call();
        return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    Bytes m_block = TrickyBlock();
};

std::string Replaced(std::string text, const std::string& server) {
    const std::string mark = "SERVER";
    if (const auto at = text.find(mark); at != std::string::npos) {
        text.replace(at, mark.size(), server);
    }
    return text;
}

// Answers every request with `status` and `headers`, and no IPP message.
FakeIppServer::Script Status(const std::string& status, const std::string& headers = "") {
    return [status, headers](FakeConnection& connection) {
        while (connection.ReadRequest() &&
               connection.Send(FakeIppServer::Http(status, "", headers))) {
        }
    };
}

// Takes the request, then sends `start` and dribbles `rest` for ever.
FakeIppServer::Script Slow(const std::string& start, const std::string& rest) {
    return [start, rest](FakeConnection& connection) {
        if (connection.ReadRequest() && connection.Send(FakeIppServer::kContinue + start)) {
            connection.Dribble(rest);
        }
    };
}

// An IPP answer whose operation attributes never end, as fast as the client takes them.
void EndlessAttributes(FakeConnection& connection) {
    if (!connection.ReadRequest() ||
        !connection.Send(std::string(FakeIppServer::kContinue) +
                         "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                         "Content-Length: 1000000000\r\n\r\n" +
                         std::string("\x02\x00\x00\x00\x00\x00\x00\x01\x01", 9))) {
        return;
    }
    std::string attributes;
    for (int i = 0; i < 4096; ++i) {
        attributes += std::string("\x44\x00\x01x\x00\x08keywords", 14);
    }
    while (connection.Send(attributes)) {
    }
}

// Refuses a TLS handshake with a fatal "handshake failure" alert.
void TlsAlert(FakeConnection& connection) {
    connection.Send(std::string("\x15\x03\x03\x00\x02\x02\x28", 7));
    connection.Idle();
}

void Silent(FakeConnection& connection) {
    connection.Idle();
}

TEST_F(PrintServerTest, OddServerGetsItsJobOrAReasonWithinTheTimeOut) {
    const std::string lines = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n";
    struct Case {
        const char* server;
        FakeIppServer::Script script;
        const char* scheme;
        int timeoutMs;
        std::string reason; // "" when the block is sent
        int withinMs;
    };
    const std::string late = "the print server SERVER did not answer within 1 s";
    const std::vector<Case> cases{
        {"gives texts as integers", FakeIppServer::WellBehaved(true, true), "ipp", 3000, "", 2500},
        {"sends no 100 Continue", FakeIppServer::WellBehaved(false, false), "ipp", 3000, "", 2500},
        {"refuses this host", Status("403 Forbidden"), "ipp", 1000,
         "the print server SERVER does not allow this computer or user to do that", 500},
        {"sends the queue elsewhere",
         Status("301 Moved Permanently", "Location: ipp://elsewhere.example/printers/x\r\n"), "ipp",
         1000, "the print server SERVER says this has moved to ipp://elsewhere.example/printers/x",
         500},
        {"dribbles header lines", Slow(lines, "X-Slow: more\r\n"), "ipp", 1000, late, 1500},
        {"dribbles the body", Slow(lines + "Content-Length: 9000\r\n\r\n", "\x02"), "ipp", 1000,
         late, 1500},
        {"sends attributes without end", EndlessAttributes, "ipp", 3000,
         "the print server SERVER sent an answer larger than 1 MiB", 2500},
        {"never starts TLS", Silent, "ipps", 1000, late, 1500},
        {"refuses the TLS handshake", TlsAlert, "ipps", 1000,
         "TLS with the print server SERVER failed: A TLS fatal alert has been received.", 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        m_environment.Set("OUTPORT_TIMEOUT_MS", std::to_string(c.timeoutMs));
        const FakeIppServer server(c.script);
        const std::string uri = std::string(c.scheme) + "://" + server.Server() + "/printers/x";
        std::string reason;
        EXPECT_LT(Timed([&] { reason = SendTo(uri); }), milliseconds(c.withinMs));
        EXPECT_EQ(reason, c.reason.empty() ? "" : uri + ": " + Replaced(c.reason, server.Server()));
    }
}

TEST_F(PrintServerTest, WrongTypesCountAsAbsentWhenAQueueIsDescribedOrListed) {
    const FakeIppServer server(FakeIppServer::WellBehaved(true, false));
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
    EXPECT_EQ(OutPortDeviceAt(list, 0)->isDefault, 0);
    OutPortFreeDevices(list);
}

TEST_F(PrintServerTest, CancellingWhileAServerHangsReturnsAtOnce) {
    m_environment.Set("OUTPORT_TIMEOUT_MS", "20000");
    const std::vector<std::pair<const char*, FakeIppServer::Script>> cases{
        {"ipp", Slow("HTTP/1.1 200 OK\r\n", "X-Slow: more\r\n")},
        {"ipps", Silent},
    };
    for (const auto& [scheme, script] : cases) {
        SCOPED_TRACE(scheme);
        const FakeIppServer server(script);
        const std::string uri = std::string(scheme) + "://" + server.Server() + "/printers/x";
        OutPortCancel* cancel = OutPortCancelCreate();
        auto send = std::async(std::launch::async, [&] { return SendTo(uri, cancel); });
        std::this_thread::sleep_for(milliseconds(300));
        const milliseconds took = Timed([&] {
            OutPortCancelRequest(cancel);
            send.wait();
        });
        EXPECT_LT(took, milliseconds(500));
        EXPECT_EQ(send.get(), uri + ": cancelled after 0 of 38 bytes");
        OutPortCancelDestroy(cancel);
    }
}

TEST_F(PrintServerTest, PortsListingEndsWithinOneTimeOutOfAServerThatNeverAnswers) {
    LoopbackListener silent; // takes connections into its backlog and never answers
    m_environment.Set("CUPS_SERVER", "127.0.0.1:" + std::to_string(silent.Port()));
    m_environment.Set("OUTPORT_TIMEOUT_MS", "1000");
    WriteFile(m_dir.path() / "outport.conf",
              "COM1=cups:a\nCOM2=cups:b\nLPT1=cups:c\nLPT2=cups:d\n");
    const milliseconds took = Timed([] {
        FILE* program = popen(TROVANEL_PROGRAM " ports --json 2>&1", "r");
        ASSERT_NE(program, nullptr);
        std::array<char, 4096> chunk{};
        while (std::fread(chunk.data(), 1, chunk.size(), program) > 0) {
        }
        EXPECT_EQ(pclose(program), 0);
    });
    EXPECT_LT(took, milliseconds(1800));
}

} // namespace
