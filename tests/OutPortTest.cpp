#include "printer/outport/OutPort.h"

#include "printer/outport/address/PortConfig.h"
#include "printer/outport/address/PortConfigFile.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sched.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

int Send(int port, Bytes block = TrickyBlock()) {
    return OutPort(static_cast<int>(block.size()), port, block.data());
}

std::string LastError() {
    return OutPortLastError();
}

Bytes ReadFileBytes(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    return {bytes.begin(), bytes.end()};
}

// Sets OUTPORT_* variables for one test and points the configuration folder at the test's own
// directory, so the user's outport.conf never takes part.
class OutPortTest : public testing::Test {
protected:
    void SetUp() override { Set("XDG_CONFIG_HOME", m_dir.path().string()); }
    void Set(const std::string& name, const std::string& value) { m_environment.Set(name, value); }
    void Unset(const std::string& name) { m_environment.Unset(name); }
    void WriteConfig(const std::string& text) {
        std::ofstream(m_dir.path() / "outport.conf") << text;
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

TEST_F(OutPortTest, SerialLineGetsTheExactBytesInRawModeWhateverWasSetBefore) {
    PseudoTerminal pty;
    termios messy = pty.Settings();
    messy.c_cflag |= CSTOPB | HUPCL | CRTSCTS;
    messy.c_iflag |= IXON | IXANY | ICRNL;
    messy.c_oflag |= OPOST | ONLCR;
    messy.c_lflag |= ICANON | ECHO;
    cfsetospeed(&messy, B1200);
    ASSERT_EQ(tcsetattr(pty.Slave(), TCSANOW, &messy), 0);

    Set("OUTPORT_COM1", pty.Name());
    ASSERT_EQ(Send(0), 1) << LastError();
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(ReadUntilQuiet(pty.Master()), TrickyBlock());

    const termios tio = pty.Settings();
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (CSTOPB | PARENB | HUPCL | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

// A pty reports bits and parity as 8N1 whatever is set, so only speed, stop bits and flow
// control can be checked here.
TEST_F(OutPortTest, SerialOptionsAreApplied) {
    PseudoTerminal pty;
    Set("OUTPORT_COM2", "serial:" + pty.Name() + "?baud=19200+stop=2+flow=hard+parity=even");
    ASSERT_EQ(Send(1), 1) << LastError();
    termios tio = pty.Settings();
    EXPECT_EQ(cfgetospeed(&tio), B19200);
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), 0u) << "RTS/CTS turned XON/XOFF on";
    EXPECT_EQ(ReadUntilQuiet(pty.Master()), TrickyBlock());

    Set("OUTPORT_COM2", "serial:" + pty.Name() + "?baud=115200&flow=soft");
    ASSERT_EQ(Send(1), 1) << LastError();
    tio = pty.Settings();
    EXPECT_EQ(cfgetospeed(&tio), B115200);
    EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));
}

// Every speed the URI accepts reaches the line: a pty reports back the speed it was given.
TEST_F(OutPortTest, EverySpeedIsSetOnTheLine) {
    const std::pair<int, speed_t> speeds[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},    {19200, B19200},
        {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400}};
    PseudoTerminal pty;
    for (const auto& [baud, speed] : speeds) {
        Set("OUTPORT_COM1", "serial:" + pty.Name() + "?baud=" + std::to_string(baud));
        ASSERT_EQ(Send(0), 1) << LastError();
        const termios tio = pty.Settings();
        EXPECT_EQ(cfgetospeed(&tio), speed) << baud;
        EXPECT_EQ(cfgetispeed(&tio), speed) << baud;
    }
    EXPECT_EQ(pty.Received().size(), std::size(speeds) * TrickyBlock().size());
}

// A printer that stops taking data while the line still holds part of a block: the call times
// out and drops what the line held, so the printer never gets the rest of an abandoned block.
// The printer's end keeps what its own line discipline had taken in already (one 4 KiB buffer).
TEST_F(OutPortTest, StalledLineTimesOutAndDropsWhatItStillHeld) {
    PseudoTerminal pty;
    Set("OUTPORT_COM1", pty.Name());
    Set("OUTPORT_TIMEOUT_MS", "300");
    EXPECT_EQ(Send(0, Bytes(std::size_t{64} * 1024, 'x')), 0);
    EXPECT_NE(LastError().find("timed out after 300 ms"), std::string::npos) << LastError();
    EXPECT_NE(LastError().find("COM1 (" + pty.Name() + ")"), std::string::npos) << LastError();
    EXPECT_LE(pty.Received().size(), 4096u);
}

// A FIFO takes at most what its buffer has room for, so a large block goes in many partial
// writes; each must resume where the last one stopped.
TEST_F(OutPortTest, LargeBlockArrivesWholeThroughPartialWrites) {
    const fs::path fifo = m_dir.path() / "printer.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Bytes large(1 << 20);
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<unsigned char>(i % 251);
    }
    Bytes got;
    std::thread printer([&] { got = ReadUntilQuiet(reader, 2000); });
    Set("OUTPORT_LPT1", fifo.string());
    EXPECT_EQ(Send(2, large), 1) << LastError();
    printer.join();
    close(reader);
    EXPECT_TRUE(got == large) << got.size() << " bytes arrived";
}

TEST_F(OutPortTest, UnpluggedLineFailsWithAReason) {
    PseudoTerminal pty;
    Set("OUTPORT_COM1", pty.Name());
    pty.CloseMaster(); // the slave path vanishes, or its writes fail with EIO
    EXPECT_EQ(Send(0), 0);
    const std::string why = LastError();
    EXPECT_TRUE(why.find("no such device — is the printer plugged in?") != std::string::npos ||
                why.find("not connected") != std::string::npos)
        << why;
}

TEST_F(OutPortTest, PortHeldByAnotherProgramIsBusy) {
    PseudoTerminal pty;
    const int holder = open(pty.Name().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    Set("OUTPORT_COM1", "serial:" + pty.Name());
    EXPECT_EQ(Send(0), 0);
    EXPECT_NE(LastError().find("busy"), std::string::npos) << LastError();
    EXPECT_TRUE(ReadUntilQuiet(pty.Master(), 50).empty());
    close(holder);
    EXPECT_EQ(Send(0), 1) << LastError();
}

// Root opens anything, so the attempt runs as an ordinary user in a child process.
TEST_F(OutPortTest, PermissionDeniedNamesTheGroupToJoin) {
    PseudoTerminal pty;
    ASSERT_EQ(chmod(pty.Name().c_str(), 0), 0);
    Set("OUTPORT_COM1", pty.Name());
    EXPECT_EQ(RunAsOrdinaryUser([] {
                  return Send(0) == 0 && LastError().find("no access — join the 'dialout' group "
                                                          "(sudo adduser $USER dialout") !=
                                             std::string::npos
                             ? 0
                             : 1;
              }),
              0);
}

// The exit code of a child process, or minus the signal that killed it.
int ExitCodeOf(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return -1000;
    }
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

// A call that fails after taking the port must give up its exclusive hold: TIOCEXCL refuses
// any later open but root's, so the check opens the line as an ordinary user.
TEST_F(OutPortTest, FailedCallLeavesTheLineFreeForOthers) {
    PseudoTerminal pty;
    ASSERT_EQ(chmod(pty.Name().c_str(), 0666), 0);
    ASSERT_EQ(tcflow(pty.Slave(), TCOOFF), 0);
    Set("OUTPORT_COM1", pty.Name());
    Set("OUTPORT_TIMEOUT_MS", "100");
    ASSERT_EQ(Send(0), 0);
    EXPECT_NE(LastError().find("timed out"), std::string::npos) << LastError();

    const std::string line = pty.Name();
    EXPECT_EQ(RunAsOrdinaryUser([&line] {
                  const int fd = open(line.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
                  return fd >= 0 ? 0 : errno;
              }),
              0)
        << "the line stayed exclusive (errno 16 is EBUSY)";
}

TEST_F(OutPortTest, FifoNeedsAReader) {
    const fs::path fifo = m_dir.path() / "printer.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Set("OUTPORT_LPT1", fifo.string());
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(LastError().find("not connected"), std::string::npos) << LastError();

    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Send(2), 1) << LastError();
    EXPECT_EQ(ReadUntilQuiet(reader, 50), TrickyBlock());
    close(reader);
}

// A reader that goes away mid-send raises SIGPIPE in the writer; the call must fail with a
// reason instead of ending the program, and leave the program's handling of SIGPIPE as it was.
// The send runs in a child process so that a death by SIGPIPE shows as such.
TEST_F(OutPortTest, ReaderThatGoesAwayMidSendFailsTheCallWithoutKillingTheProgram) {
    const fs::path fifo = m_dir.path() / "printer.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Set("OUTPORT_LPT1", fifo.string());
    const pid_t child = fork();
    if (child == 0) {
        close(reader); // the parent's is to be the only one
        struct sigaction before {};
        sigaction(SIGPIPE, nullptr, &before);
        Bytes large(1 << 20, 0x55); // far more than the FIFO holds
        if (Send(2, large) != 0) {
            _exit(1);
        }
        if (LastError().find("not connected") == std::string::npos) {
            _exit(2);
        }
        struct sigaction after {};
        sigaction(SIGPIPE, nullptr, &after);
        sigset_t blocked;
        sigset_t pending;
        pthread_sigmask(SIG_BLOCK, nullptr, &blocked);
        sigpending(&pending);
        const bool untouched = after.sa_handler == before.sa_handler &&
                               sigismember(&blocked, SIGPIPE) == 0 &&
                               sigismember(&pending, SIGPIPE) == 0;
        _exit(untouched ? 0 : 3);
    }
    // Take one chunk, so the writer is known to be under way, then go away.
    pollfd wait{reader, POLLIN, 0};
    EXPECT_EQ(poll(&wait, 1, 10000), 1);
    std::array<unsigned char, 4096> chunk{};
    EXPECT_GT(read(reader, chunk.data(), chunk.size()), 0);
    close(reader);
    EXPECT_EQ(ExitCodeOf(child), 0)
        << "-13: killed by SIGPIPE; 1: sent; 2: no reason; 3: SIGPIPE handling changed";
}

TEST_F(OutPortTest, CaptureFileIsCreatedThenAppendedTo) {
    const fs::path capture = m_dir.path() / "capture.bin";
    Set("OUTPORT_LPT2", "file:" + capture.string());
    ASSERT_EQ(Send(3), 1) << LastError();
    ASSERT_EQ(Send(3), 1) << LastError();
    Bytes twice = TrickyBlock();
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_EQ(ReadFileBytes(capture), twice);
}

TEST_F(OutPortTest, MissingBarePathFailsAndCreatesNothing) {
    const fs::path missing = m_dir.path() / "ttyUSB9";
    Set("OUTPORT_COM1", missing.string());
    EXPECT_EQ(Send(0), 0);
    EXPECT_NE(LastError().find("no such device"), std::string::npos) << LastError();
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(OutPortTest, NetworkPrinterGetsTheBytesThenEndOfStream) {
    LoopbackListener listener;
    Set("OUTPORT_LPT1", listener.Uri());
    ASSERT_EQ(Send(2), 1) << LastError();
    const int peer = accept(listener.Fd(), nullptr, nullptr);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(ReadUntilQuiet(peer), TrickyBlock());
    close(peer);
}

TEST_F(OutPortTest, RefusedAndNeverAcceptedConnectionsFail) {
    LoopbackListener closed;
    const std::string refused = closed.Uri();
    closed.Close();
    Set("OUTPORT_LPT1", refused);
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(LastError().find("connection refused"), std::string::npos) << LastError();

    LoopbackListener full(0);
    full.FillBacklog();
    Set("OUTPORT_LPT1", full.Uri());
    Set("OUTPORT_TIMEOUT_MS", "300");
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(LastError().find("timed out"), std::string::npos) << LastError();
}

struct In6IfReq { // the kernel's in6_ifreq, whose header clashes with <netinet/in.h>
    in6_addr address;
    std::uint32_t prefixLength;
    int interfaceIndex;
};

// Moves the process into a network namespace of its own whose one interface, the loopback, has
// a routable IPv6 address besides ::1 and 127.0.0.1: to the address look-up, a host with IPv6
// addresses only. Needs root.
bool BecomeAnIpv6OnlyHost() {
    if (unshare(CLONE_NEWNET) != 0) {
        return false;
    }
    const int control = socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq flags{};
    std::strcpy(flags.ifr_name, "lo");
    In6IfReq address{};
    inet_pton(AF_INET6, "fd00::9", &address.address);
    address.prefixLength = 128;
    address.interfaceIndex = static_cast<int>(if_nametoindex("lo"));
    const bool done = ioctl(control, SIOCGIFFLAGS, &flags) == 0 &&
                      (flags.ifr_flags = static_cast<short>(flags.ifr_flags | IFF_UP),
                       ioctl(control, SIOCSIFFLAGS, &flags) == 0) &&
                      ioctl(control, SIOCSIFADDR, &address) == 0;
    close(control);
    return done;
}

// A numeric address is used as given, whatever address families the host has otherwise.
TEST_F(OutPortTest, NumericLoopbackAddressIsReachedOnAHostWithOnlyTheOtherFamily) {
    const pid_t child = fork();
    if (child == 0) {
        if (!BecomeAnIpv6OnlyHost()) {
            _exit(77);
        }
        LoopbackListener listener;
        setenv("OUTPORT_LPT1", listener.Uri().c_str(), 1);
        if (Send(2) != 1) {
            _exit(1);
        }
        const int peer = accept(listener.Fd(), nullptr, nullptr);
        _exit(peer >= 0 && ReadUntilQuiet(peer) == TrickyBlock() ? 0 : 2);
    }
    const int result = ExitCodeOf(child);
    if (result == 77) {
        GTEST_SKIP() << "no private network namespace can be made here";
    }
    EXPECT_EQ(result, 0) << "127.0.0.1 on an IPv6-only host; 1: not sent, 2: not received";
}

TEST_F(OutPortTest, PortOutsideTheFourFailsAtOnce) {
    EXPECT_EQ(Send(-1), 0);
    EXPECT_EQ(LastError(), "No port is selected.");
    EXPECT_EQ(Send(4), 0);
    EXPECT_EQ(LastError(), "Port 4 is not one of COM1, COM2, LPT1 and LPT2.");
}

TEST_F(OutPortTest, MalformedValuesFailWithAReasonNamingWhereTheyCameFrom) {
    const std::pair<const char*, const char*> cases[] = {
        {"serial:/dev/ttyS0?baud=12345", "unknown serial option \"baud=12345\""},
        {"serial:/dev/ttyS0?flow=rts", "unknown serial option \"flow=rts\""},
        {"socket://", "no valid host"},
        {"socket://printer:70000", "from 1 to 65535"},
        {"socket://[::1", "unclosed"},
        {"ttyS0", "absolute path"},
        {"lpd://printer/queue", "absolute path"},
    };
    for (const auto& [value, why] : cases) {
        Set("OUTPORT_COM1", value);
        EXPECT_EQ(Send(0), 0) << value;
        EXPECT_NE(LastError().find(why), std::string::npos) << LastError();
        EXPECT_NE(LastError().find("from OUTPORT_COM1"), std::string::npos) << LastError();
    }
    Unset("OUTPORT_COM1");
    Set("OUTPORT_TIMEOUT_MS", "5s");
    EXPECT_EQ(Send(0), 0);
    EXPECT_NE(LastError().find("OUTPORT_TIMEOUT_MS=5s"), std::string::npos) << LastError();
}

TEST_F(OutPortTest, EnvironmentBeatsTheFileAndTheFileBeatsTheDefault) {
    const fs::path fromFile = m_dir.path() / "from-file.bin";
    const fs::path fromEnvironment = m_dir.path() / "from-env.bin";
    WriteConfig("# printers\n\nCOM1 = file:" + fromFile.string() + "\n");
    Unset("OUTPORT_COM1");
    ASSERT_EQ(Send(0), 1) << LastError();
    EXPECT_EQ(ReadFileBytes(fromFile), TrickyBlock());

    Set("OUTPORT_COM1", "file:" + fromEnvironment.string());
    ASSERT_EQ(Send(0), 1) << LastError();
    EXPECT_EQ(ReadFileBytes(fromEnvironment), TrickyBlock());
    EXPECT_EQ(ReadFileBytes(fromFile).size(), 38u);

    Unset("OUTPORT_LPT2");
    PortSetting setting; // no LPT2 line: the default, looked up without touching the device
    ASSERT_TRUE(LookUpPort(3, setting).ok());
    EXPECT_EQ(setting.value, "/dev/lp1");
    EXPECT_EQ(setting.origin, "the default");

    WriteConfig("COM1=/dev/null\nLPT3=/dev/null\n");
    EXPECT_EQ(Send(1), 0);
    EXPECT_NE(LastError().find("outport.conf line 2"), std::string::npos) << LastError();

    // The first line of a port counts; a later one for the same port is ignored.
    WriteConfig("COM2=file:/first\nCOM2=file:/second\n");
    ASSERT_TRUE(LookUpPort(1, setting).ok());
    EXPECT_EQ(setting.value, "file:/first");
    EXPECT_EQ(setting.origin, (m_dir.path() / "outport.conf").string() + " line 1");
}

// XDG_CONFIG_HOME counts only as an absolute path; anything else falls back to ~/.config.
TEST_F(OutPortTest, RelativeConfigHomeIsIgnored) {
    Set("HOME", m_dir.path().string());
    Set("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(PortConfigPath(), m_dir.path().string() + "/.config/outport.conf");
    Set("XDG_CONFIG_HOME", "/elsewhere");
    EXPECT_EQ(PortConfigPath(), "/elsewhere/outport.conf");
}

TEST_F(OutPortTest, TimeOutRunsFromOneMillisecondToTenMinutes) {
    std::chrono::milliseconds timeout{};
    for (const char* good : {"1", "600000"}) {
        Set("OUTPORT_TIMEOUT_MS", good);
        EXPECT_TRUE(LookUpTimeout(timeout).ok()) << good;
        EXPECT_EQ(timeout.count(), std::stol(good));
    }
    for (const char* bad : {"0", "600001", "-1", "1000 ", "99999999999999999999"}) {
        Set("OUTPORT_TIMEOUT_MS", bad);
        EXPECT_FALSE(LookUpTimeout(timeout).ok()) << bad;
    }
    Unset("OUTPORT_TIMEOUT_MS");
    EXPECT_TRUE(LookUpTimeout(timeout).ok());
    EXPECT_EQ(timeout.count(), 5000);
}

// An empty block is a valid call: the device is opened and nothing is written.
TEST_F(OutPortTest, EmptyBlockSendsNothingAndSucceeds) {
    const fs::path capture = m_dir.path() / "capture.bin";
    Set("OUTPORT_LPT2", "file:" + capture.string());
    EXPECT_EQ(OutPort(0, 3, nullptr), 1) << LastError();
    EXPECT_TRUE(fs::exists(capture));
    EXPECT_EQ(fs::file_size(capture), 0u);
}

} // namespace
