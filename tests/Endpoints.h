#pragma once

#include <arpa/inet.h>
#include <array>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A 38-byte block with the bytes that trip up terminals and C strings: NUL, CR LF, XON/XOFF,
// 0xFF.
inline Bytes TrickyBlock() {
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

// What arrives on `fd` until `quietMs` pass with nothing more; with 0, just what is there now.
inline Bytes ReadUntilQuiet(int fd, int quietMs = 200) {
    Bytes got;
    std::array<unsigned char, 4096> chunk{};
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

// A network printer on the loopback interface. Connections complete in the kernel's backlog
// without accept(); a backlog of 0 holds one, and after that the kernel drops the SYNs.
class LoopbackListener {
public:
    explicit LoopbackListener(int backlog = 4)
        : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (bind(m_fd, any, size) == 0 && listen(m_fd, backlog) == 0 &&
            getsockname(m_fd, any, &size) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;
    ~LoopbackListener() { Close(); }

    void Close() {
        for (const int filler : m_fillers) {
            close(filler);
        }
        m_fillers.clear();
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    // With a backlog of 0: one connection completes in the backlog and the next one's SYNs are
    // dropped, so any further connect waits. Both stay open until Close().
    void FillBacklog() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(m_port));
        for (int i = 0; i < 2; ++i) {
            m_fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
            // Non-blocking: the handshake finishes in the kernel while this returns EINPROGRESS.
            (void)connect(m_fillers.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
    }
    int Fd() const { return m_fd; }
    int Port() const { return m_port; } // 0 when no listener could be made
    std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(m_port); }

private:
    int m_fd;
    int m_port = 0;
    std::vector<int> m_fillers;
};
