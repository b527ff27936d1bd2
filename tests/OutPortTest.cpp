#include "OutPort.h"

#include "WorkDirectory.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

// A block with the bytes that trip up terminals and C strings: NUL, CR LF, XON/XOFF, 0xFF.
Bytes Block() {
    Bytes block;
    for (int i = 0; i < 38; ++i) {
        block.push_back(static_cast<unsigned char>((i * 37) % 256));
    }
    block[3] = 0x00;
    block[7] = 0x0D;
    block[8] = 0x0A;
    block[11] = 0x11;
    block[12] = 0x13;
    block[35] = 0xFF;
    return block;
}

int Send(int port, Bytes block = Block()) {
    return OutPort(static_cast<int>(block.size()), port, block.data());
}

std::string LastError() {
    return OutPortLastError();
}

// Reads what arrives on `fd` until `quietMs` pass with nothing more.
Bytes Drain(int fd, int quietMs = 200) {
    Bytes got;
    std::array<unsigned char, 256> chunk{};
    pollfd wait{fd, POLLIN, 0};
    while (poll(&wait, 1, quietMs) > 0) {
        const ssize_t n = read(fd, chunk.data(), chunk.size());
        if (n <= 0) {
            break;
        }
        got.insert(got.end(), chunk.begin(), chunk.begin() + n);
    }
    return got;
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
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value.has_value()) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    void Set(const std::string& name, const std::string& value) {
        if (m_saved.count(name) == 0) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Set(name, "");
        unsetenv(name.c_str());
    }
    void WriteConfig(const std::string& text) {
        std::ofstream(m_dir.path() / "outport.conf") << text;
    }

    WorkDirectory m_dir;
    std::map<std::string, std::optional<std::string>> m_saved;
};

// A pseudo-terminal standing in for a serial printer. The test keeps the slave open so the
// line's settings can be read back after OutPort closed its own descriptor.
class Pty {
public:
    Pty() {
        std::array<char, 128> name{};
        EXPECT_EQ(openpty(&m_master, &m_slave, name.data(), nullptr, nullptr), 0);
        m_name = name.data();
    }
    ~Pty() {
        CloseMaster();
        close(m_slave);
    }
    void CloseMaster() {
        if (m_master >= 0) {
            close(m_master);
            m_master = -1;
        }
    }
    termios Settings() const {
        termios tio{};
        tcgetattr(m_slave, &tio);
        return tio;
    }

    int m_master = -1;
    int m_slave = -1;
    std::string m_name;
};

TEST_F(OutPortTest, SerialLineGetsTheExactBytesInRawModeWhateverWasSetBefore) {
    Pty pty;
    termios messy = pty.Settings();
    messy.c_cflag |= CSTOPB | HUPCL | CRTSCTS;
    messy.c_iflag |= IXON | IXANY | ICRNL;
    messy.c_oflag |= OPOST | ONLCR;
    messy.c_lflag |= ICANON | ECHO;
    cfsetospeed(&messy, B1200);
    ASSERT_EQ(tcsetattr(pty.m_slave, TCSANOW, &messy), 0);

    Set("OUTPORT_COM1", pty.m_name);
    ASSERT_EQ(Send(0), 1) << LastError();
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(Drain(pty.m_master), Block());

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
    Pty pty;
    Set("OUTPORT_COM2", "serial:" + pty.m_name + "?baud=19200+stop=2+flow=hard+parity=even");
    ASSERT_EQ(Send(1), 1) << LastError();
    termios tio = pty.Settings();
    EXPECT_EQ(cfgetospeed(&tio), B19200);
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(Drain(pty.m_master), Block());

    Set("OUTPORT_COM2", "serial:" + pty.m_name + "?baud=115200&flow=soft");
    ASSERT_EQ(Send(1), 1) << LastError();
    tio = pty.Settings();
    EXPECT_EQ(cfgetospeed(&tio), B115200);
    EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));
}

TEST_F(OutPortTest, StalledLineTimesOutAndSendsNothingLater) {
    Pty pty;
    ASSERT_EQ(tcflow(pty.m_slave, TCOOFF), 0);
    Set("OUTPORT_COM1", pty.m_name);
    Set("OUTPORT_TIMEOUT_MS", "300");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Send(0), 0);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5)); // bounded, not a measurement
    EXPECT_NE(LastError().find("timed out after 300 ms"), std::string::npos) << LastError();
    EXPECT_NE(LastError().find("COM1 (" + pty.m_name + ")"), std::string::npos) << LastError();
    ASSERT_EQ(tcflow(pty.m_slave, TCOON), 0);
    EXPECT_TRUE(Drain(pty.m_master).empty());
}

TEST_F(OutPortTest, UnpluggedLineFailsWithAReason) {
    Pty pty;
    Set("OUTPORT_COM1", pty.m_name);
    pty.CloseMaster(); // the slave path vanishes, or its writes fail with EIO
    EXPECT_EQ(Send(0), 0);
    const std::string why = LastError();
    EXPECT_TRUE(why.find("no such device — is the printer plugged in?") != std::string::npos ||
                why.find("not connected") != std::string::npos)
        << why;
}

TEST_F(OutPortTest, PortHeldByAnotherProgramIsBusy) {
    Pty pty;
    const int holder = open(pty.m_name.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    Set("OUTPORT_COM1", "serial:" + pty.m_name);
    EXPECT_EQ(Send(0), 0);
    EXPECT_NE(LastError().find("busy"), std::string::npos) << LastError();
    EXPECT_TRUE(Drain(pty.m_master, 50).empty());
    close(holder);
    EXPECT_EQ(Send(0), 1) << LastError();
}

// Root opens anything, so the attempt runs as an ordinary user in a child process.
TEST_F(OutPortTest, PermissionDeniedNamesTheGroupToJoin) {
    Pty pty;
    ASSERT_EQ(chmod(pty.m_name.c_str(), 0), 0);
    Set("OUTPORT_COM1", pty.m_name);
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && setuid(nobody->pw_uid) != 0) {
            _exit(2);
        }
        const bool named = Send(0) == 0 && LastError().find("no access — join the 'dialout' "
                                                            "group (sudo adduser $USER dialout") !=
                                               std::string::npos;
        _exit(named ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
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
    EXPECT_EQ(Drain(reader, 50), Block());
    close(reader);
}

TEST_F(OutPortTest, CaptureFileIsCreatedThenAppendedTo) {
    const fs::path capture = m_dir.path() / "capture.bin";
    Set("OUTPORT_LPT2", "file:" + capture.string());
    ASSERT_EQ(Send(3), 1) << LastError();
    ASSERT_EQ(Send(3), 1) << LastError();
    Bytes twice = Block();
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

// A loopback listener; connections complete in the kernel's backlog without accept().
class Listener {
public:
    explicit Listener(int backlog = 4) {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(m_fd, backlog), 0);
        socklen_t length = sizeof address;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~Listener() { Close(); }
    void Close() {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(m_port); }

    int m_fd = -1;
    int m_port = 0;
};

TEST_F(OutPortTest, NetworkPrinterGetsTheBytesThenEndOfStream) {
    Listener listener;
    Set("OUTPORT_LPT1", listener.Uri());
    ASSERT_EQ(Send(2), 1) << LastError();
    const int peer = accept(listener.m_fd, nullptr, nullptr);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(Drain(peer), Block());
    close(peer);
}

TEST_F(OutPortTest, RefusedAndNeverAcceptedConnectionsFail) {
    Listener closed;
    const std::string refused = closed.Uri();
    closed.Close();
    Set("OUTPORT_LPT1", refused);
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(LastError().find("connection refused"), std::string::npos) << LastError();

    // A backlog of 0 holds one finished connection; after that the kernel drops the SYNs.
    Listener full(0);
    std::vector<int> fillers;
    for (int i = 0; i < 2; ++i) {
        fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(full.m_port));
        // Non-blocking: the handshake finishes in the kernel while this returns EINPROGRESS.
        (void)connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    Set("OUTPORT_LPT1", full.Uri());
    Set("OUTPORT_TIMEOUT_MS", "300");
    EXPECT_EQ(Send(2), 0);
    EXPECT_NE(LastError().find("timed out"), std::string::npos) << LastError();
    for (const int fd : fillers) {
        close(fd);
    }
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
    EXPECT_EQ(ReadFileBytes(fromFile), Block());

    Set("OUTPORT_COM1", "file:" + fromEnvironment.string());
    ASSERT_EQ(Send(0), 1) << LastError();
    EXPECT_EQ(ReadFileBytes(fromEnvironment), Block());
    EXPECT_EQ(ReadFileBytes(fromFile).size(), 38u);

    Unset("OUTPORT_LPT2");
    Send(3); // no LPT2 line: the default device, whatever this machine makes of it
    EXPECT_NE(LastError().find("/dev/lp1"), std::string::npos) << LastError();

    WriteConfig("COM1=/dev/null\nLPT3=/dev/null\n");
    EXPECT_EQ(Send(1), 0);
    EXPECT_NE(LastError().find("outport.conf line 2"), std::string::npos) << LastError();
}

} // namespace
