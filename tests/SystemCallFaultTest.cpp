// Failures only a real device, disk or network file system gives, made by SystemCallFaults.
#include "base/UniqueFd.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/status/LinePrinterStatus.h"
#include "settings/SettingsFile.h"
#include "tests/Environment.h"
#include "tests/PseudoTerminal.h"
#include "tests/SystemCallFaults.h"
#include "tests/WorkDirectory.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <linux/lp.h>
#include <sched.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

namespace fs = std::filesystem;

class SystemCallFault : public testing::Test {
protected:
    void SetUp() override { m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string()); }
    void TearDown() override {
        SystemCallFaults::FailCloseOf("", 0);
        SystemCallFaults::RefuseSpeedOf("", 0);
        SystemCallFaults::StallOrFailRequest("", 0, 0);
    }
    static int Send(int port) {
        unsigned char block[] = "block";
        return OutPort(5, port, block);
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

// A device, or a file on a network file system, may report a failed write only when closed.
TEST_F(SystemCallFault, WriteLostAtCloseFailsTheSend) {
    const fs::path capture = m_dir.path() / "capture.bin";
    m_environment.Set("OUTPORT_LPT1", "file:" + capture.string());
    SystemCallFaults::FailCloseOf(capture.string(), ENOSPC);
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(std::string(OutPortLastError()).find("no space left on the disk"), std::string::npos)
        << OutPortLastError();

    PseudoTerminal pty;
    m_environment.Set("OUTPORT_COM1", pty.Name());
    SystemCallFaults::FailCloseOf(pty.Name(), EIO);
    EXPECT_EQ(Send(0), 0);
    EXPECT_NE(std::string(OutPortLastError()).find("not connected"), std::string::npos)
        << OutPortLastError();
    SystemCallFaults::FailCloseOf("", 0);
    EXPECT_EQ(Send(0), 1) << OutPortLastError();
}

// A driver may refuse a speed outright or take the other settings and keep its old speed;
// either way the line cannot run as asked. Any other error is the device's.
TEST_F(SystemCallFault, SpeedTheDriverRefusesIsNamed) {
    PseudoTerminal pty;
    m_environment.Set("OUTPORT_COM1", "serial:" + pty.Name() + "?baud=230400");
    const std::string line = "COM1 (" + pty.Name() + "): ";
    for (const auto& [error, reason] :
         {std::pair{0, "the line does not support 230400 baud"},
          {EINVAL, "the line does not support 230400 baud"},
          {EIO, "not connected — the printer is unplugged or switched off"}}) {
        SCOPED_TRACE(error);
        SystemCallFaults::RefuseSpeedOf(pty.Name(), error);
        EXPECT_EQ(Send(0), 0);
        EXPECT_EQ(OutPortLastError(), line + reason);
    }
    SystemCallFaults::RefuseSpeedOf("", 0);
    EXPECT_EQ(Send(0), 1) << OutPortLastError();
}

// A pty has no output queue to wait on, so only the question shows that the send waits.
TEST_F(SystemCallFault, SerialSendWaitsForTheOutputQueue) {
    PseudoTerminal pty;
    m_environment.Set("OUTPORT_COM1", pty.Name());
    SystemCallFaults::ForgetRequests();
    ASSERT_EQ(Send(0), 1) << OutPortLastError();
    bool asked = false;
    for (const SystemCallFaults::Request& made : SystemCallFaults::RequestsTo(pty.Name())) {
        asked = asked || made.request == TIOCOUTQ;
    }
    EXPECT_TRUE(asked);
}

TEST_F(SystemCallFault, SaveWhoseTemporaryFileFailsToCloseKeepsTheOldFile) {
    CPrinterSettings changed;
    changed.m_nPort = 3;
    ASSERT_EQ(SaveSettings(CPrinterSettings()), SaveResult::Saved);
    const std::string old = ReadFile(kSettingsFileName);
    SystemCallFaults::FailCloseOf((m_dir.path() / ".Trovanel.ini.save-").string(), ENOSPC);
    EXPECT_EQ(SaveSettings(changed), SaveResult::CannotWrite);
    EXPECT_EQ(ReadFile(kSettingsFileName), old);
    // The file alone: no temporary file, and the lock file went with the lock.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);
}

// The parallel driver retries an offline printer for ever unless told to abort. A FIFO at
// /dev/lp0 in a private /dev stands in for the port, which this machine need not have.
TEST_F(SystemCallFault, ParallelPortIsToldToAbortInsteadOfRetryingForEver) {
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", "/dev", "tmpfs", 0, nullptr) != 0 || mkfifo("/dev/lp0", 0600) != 0) {
            _exit(77);
        }
        const int reader = open("/dev/lp0", O_RDONLY | O_NONBLOCK);
        setenv("OUTPORT_LPT1", "/dev/lp0", 1);
        SystemCallFaults::ForgetRequests();
        if (reader < 0 || Send(2) != 1) {
            _exit(1);
        }
        for (const SystemCallFaults::Request& made : SystemCallFaults::RequestsTo("/dev/lp0")) {
            if (made.request == LPABORT && made.argument != 0) {
                _exit(0);
            }
        }
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no private /dev can be mounted here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not sent; 2: no LPABORT";
}

// A status call that fails says nothing about the printer; one the driver holds is given up.
TEST_F(SystemCallFault, PortStatusThatFailsOrHangsReadsUnknown) {
    const fs::path node = m_dir.path() / "lp0";
    const struct {
        int error; // 0: the call hangs
        const char* message;
    } cases[] = {{EIO, ""}, {0, "the printer port did not answer"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        UniqueFd device(open(node.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
        ASSERT_TRUE(device.valid());
        SystemCallFaults::StallOrFailRequest(node.string(), LPGETSTATUS, c.error);
        const auto start = std::chrono::steady_clock::now();
        const PrinterState printer =
            QueryLinePrinterStatus(std::move(device), std::chrono::milliseconds(100));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        EXPECT_EQ(printer.state, PrinterState::State::Unknown);
        EXPECT_EQ(JoinedReasons(printer), "");
        EXPECT_EQ(printer.message, c.message);
        SystemCallFaults::StallOrFailRequest("", 0, 0);
    }
}

} // namespace
