#pragma once

#include "tests/Endpoints.h"

#include <array>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal standing in for a serial printer: the program under test opens the slave
// by its path, and what it sent arrives on the master. The slave stays open here as well, so
// the line's settings can be read back after the program closed its own descriptor.
class PseudoTerminal {
public:
    PseudoTerminal() {
        std::array<char, 128> name{};
        // On failure the name stays empty, and whatever the test opens by it fails.
        if (openpty(&m_master, &m_slave, name.data(), nullptr, nullptr) == 0) {
            m_name = name.data();
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal() {
        CloseMaster();
        if (m_slave >= 0) {
            close(m_slave);
        }
    }

    // Unplugs the printer: the slave's writes fail, or its path goes away.
    void CloseMaster() {
        if (m_master >= 0) {
            close(m_master);
            m_master = -1;
        }
    }

    // Stops the line's output like a printer that holds it, and lets it go again.
    bool Stall() const { return tcflow(m_slave, TCOOFF) == 0; }
    bool Resume() const { return tcflow(m_slave, TCOON) == 0; }

    // Whether the program let go of the line: a fresh open of it can take the exclusive lock.
    bool Released() const {
        const int other = open(m_name.c_str(), O_WRONLY | O_NOCTTY);
        const bool free = flock(other, LOCK_EX | LOCK_NB) == 0;
        close(other);
        return free;
    }

    termios Settings() const {
        termios tio{};
        tcgetattr(m_slave, &tio);
        return tio;
    }

    // What arrives at the printer's end until `quietMs` pass with nothing more; with 0, just
    // what is there now.
    Bytes Received(int quietMs = 100) const { return ReadUntilQuiet(m_master, quietMs); }

    const std::string& Name() const { return m_name; } // the slave's path, e.g. /dev/pts/3
    int Master() const { return m_master; }
    int Slave() const { return m_slave; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_name;
};
