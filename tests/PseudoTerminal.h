#pragma once

#include <array>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// A pseudo-terminal standing in for a serial printer; Stall() stops its output like a printer
// that holds the line.
class PseudoTerminal {
public:
    PseudoTerminal() {
        std::array<char, 128> name{};
        EXPECT_EQ(openpty(&m_master, &m_slave, name.data(), nullptr, nullptr), 0);
        m_name = name.data();
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal() {
        close(m_master);
        close(m_slave);
    }

    void Stall() const { EXPECT_EQ(tcflow(m_slave, TCOOFF), 0); }
    void Resume() const { EXPECT_EQ(tcflow(m_slave, TCOON), 0); }

    // What arrives at the printer's end until 100 ms pass with nothing more.
    std::vector<unsigned char> Received() const {
        std::vector<unsigned char> got;
        std::array<unsigned char, 4096> chunk{};
        pollfd wait{m_master, POLLIN, 0};
        while (poll(&wait, 1, 100) > 0) {
            const ssize_t n = read(m_master, chunk.data(), chunk.size());
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), chunk.begin(), chunk.begin() + n);
        }
        return got;
    }

    const std::string& Name() const { return m_name; }
    int Slave() const { return m_slave; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_name;
};
