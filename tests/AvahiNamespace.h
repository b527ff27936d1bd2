#pragma once

// What tests and benchmarks run by tests/avahi-namespace.sh use: announcements made with
// avahi-publish for as long as an object lives, and a printer's raw port on one of the
// namespace's addresses.

#include "tests/Endpoints.h"

#include <arpa/inet.h>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// The namespace's folder, or nullptr when not run inside it.
inline const char* AvahiNamespaceDir() {
    return std::getenv("TROVANEL_AVAHI_DIR");
}

// `avahi-publish ARGS...` until destroyed. Several can be started before the first is waited
// for, since the daemon announces each name only after probing the network for it.
class Publication {
public:
    explicit Publication(const std::vector<std::string>& arguments) {
        std::vector<char*> argv{const_cast<char*>("avahi-publish")};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
        if (posix_spawnp(&m_pid, "avahi-publish", &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_said = out[0];
    }
    Publication(const Publication&) = delete;
    Publication& operator=(const Publication&) = delete;
    ~Publication() {
        close(m_said);
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // Waits (5 s at most) until it says "Established under name ..." on standard error.
    bool Established() const {
        pollfd wait{m_said, POLLIN, 0};
        char chunk[256];
        while (m_pid > 0 && m_output.find("Established") == std::string::npos &&
               poll(&wait, 1, 5000) > 0) {
            const ssize_t n = read(m_said, chunk, sizeof chunk);
            if (n <= 0) {
                break;
            }
            m_output.append(chunk, static_cast<std::size_t>(n));
        }
        return m_output.find("Established") != std::string::npos;
    }

private:
    pid_t m_pid = -1;
    int m_said = -1;
    mutable std::string m_output;
};

// A printer's raw port at ADDRESS:PORT inside the namespace.
class AddressListener {
public:
    AddressListener(const char* address, int port)
        : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, address, &where.sin_addr);
        m_listening = bind(m_fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
                      listen(m_fd, 4) == 0;
    }
    AddressListener(const AddressListener&) = delete;
    AddressListener& operator=(const AddressListener&) = delete;
    ~AddressListener() { close(m_fd); }
    bool Listening() const { return m_listening; }

    // What one connection sent; empty when none came within a second.
    Bytes Received() const {
        pollfd wait{m_fd, POLLIN, 0};
        if (poll(&wait, 1, 1000) <= 0) {
            return {};
        }
        const int peer = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        Bytes got = ReadUntilQuiet(peer);
        close(peer);
        return got;
    }

private:
    int m_fd;
    bool m_listening = false;
};
