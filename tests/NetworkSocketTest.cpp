// Network printers by name and under signals: a host name with several addresses, and a
// signal that interrupts the wait for the connection.
#include "printer/outport/OutPort.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kSkipped = 77;

class NetworkSocketTest : public testing::Test {
protected:
    void SetUp() override { m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string()); }
    static int Send(std::string* error) {
        Bytes block = TrickyBlock();
        const int result = OutPort(static_cast<int>(block.size()), 2, block.data());
        *error = OutPortLastError();
        return result;
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

// A printer listening on 127.0.0.3 alone, so 127.0.0.2 refuses the same port. The two
// addresses share as long a prefix with the loopback source address, so the resolver has no
// reason to reorder them.
struct SecondLoopbackPrinter {
    SecondLoopbackPrinter() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.3", &address.sin_addr);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (bind(fd, any, size) == 0 && listen(fd, 4) == 0 && getsockname(fd, any, &size) == 0) {
            port = ntohs(address.sin_port);
        }
    }
    ~SecondLoopbackPrinter() { close(fd); }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int port = 0;
};

// The name is looked up in a hosts file mounted over /etc/hosts in a private mount namespace.
TEST_F(NetworkSocketTest, RefusedAddressMovesOnToTheNextOneOfTheName) {
    const SecondLoopbackPrinter printer;
    ASSERT_NE(printer.port, 0);
    const std::string port = std::to_string(printer.port);
    m_environment.Set("OUTPORT_LPT1", "socket://printer.test:" + port);
    const struct {
        const char* hosts;
        int result;
        std::string error;
    } rows[] = {
        {"127.0.0.2 printer.test\n127.0.0.3 printer.test\n", 1, ""},
        {"127.0.0.3 printer.test\n127.0.0.2 printer.test\n", 1, ""},
        {"127.0.0.2 printer.test\n", 0,
         "LPT1 (printer.test:" + port + "): connection refused — nothing listens on that port"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.hosts);
        WriteFile("hosts", row.hosts);
        const std::string hosts = (m_dir.path() / "hosts").string();
        const pid_t child = fork();
        if (child == 0) {
            if (unshare(CLONE_NEWNS) != 0 ||
                mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                mount(hosts.c_str(), "/etc/hosts", nullptr, MS_BIND, nullptr) != 0) {
                _exit(kSkipped);
            }
            std::string error;
            const int result = Send(&error);
            if (result != row.result || error != row.error) {
                std::fprintf(stderr, "%d %s\n", result, error.c_str());
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == kSkipped) {
            GTEST_SKIP() << "no private mount namespace here";
        }
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the child printed what it got";
        if (row.result == 1) {
            const int connection = accept(printer.fd, nullptr, nullptr);
            EXPECT_EQ(ReadUntilQuiet(connection), TrickyBlock());
            close(connection);
        }
    }
}

void Ignore(int) {}

// A handler without SA_RESTART makes every wait in the sending thread return EINTR; the
// connect goes on waiting until its deadline, and says so.
TEST_F(NetworkSocketTest, SignalDuringTheConnectKeepsTheWaitGoing) {
    LoopbackListener full(0);
    full.FillBacklog();
    m_environment.Set("OUTPORT_LPT1", full.Uri());
    m_environment.Set("OUTPORT_TIMEOUT_MS", "300");
    struct sigaction action {};
    action.sa_handler = Ignore;
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);
    std::promise<pthread_t> sender;
    std::future<std::string> outcome = std::async(std::launch::async, [&] {
        sender.set_value(pthread_self());
        std::string error;
        return std::to_string(Send(&error)) + " " + error;
    });
    const pthread_t thread = sender.get_future().get();
    int signals = 0;
    while (outcome.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        pthread_kill(thread, SIGUSR1);
        ++signals;
    }
    EXPECT_EQ(outcome.get(), "0 LPT1 (127.0.0.1:" + std::to_string(full.Port()) +
                                 "): timed out after 300 ms — the printer may be stalled or "
                                 "offline");
    EXPECT_GT(signals, 5);
    sigaction(SIGUSR1, &previous, nullptr);
}

} // namespace
