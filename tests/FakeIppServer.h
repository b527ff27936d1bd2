#pragma once

#include "printer/outport/cups/PrintServer.h"
#include "tests/Endpoints.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

// One connection a FakeIppServer took, as its script sees it.
class FakeConnection {
public:
    FakeConnection(int fd, const std::atomic<bool>& stop) : m_fd(fd), m_stop(stop) {}
    FakeConnection(const FakeConnection&) = delete;
    FakeConnection& operator=(const FakeConnection&) = delete;
    ~FakeConnection() { close(m_fd); }

    // Reads the next request to its end; false when the client went or the server stops.
    bool ReadRequest() {
        std::size_t head = 0;
        while ((head = m_buffer.find("\r\n\r\n")) == std::string::npos) {
            if (!Fill()) {
                return false;
            }
        }
        const std::size_t field = m_buffer.find("Content-Length: ");
        const std::size_t end =
            head + 4 + (field < head ? std::stoul(m_buffer.substr(field + 16)) : 0);
        while (m_buffer.size() < end) {
            if (!Fill()) {
                return false;
            }
        }
        m_buffer.erase(0, end);
        return true;
    }
    // False once the client has gone.
    bool Send(const std::string& bytes) {
        return send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // Takes what arrives until the client goes or the server stops.
    void Idle() {
        while (Fill()) {
            m_buffer.clear();
        }
    }
    // Sends one byte of `bytes` after another, round and round, until the client goes.
    void Dribble(const std::string& bytes) {
        for (std::size_t i = 0; !m_stop && Send(bytes.substr(i % bytes.size(), 1)); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

private:
    bool Fill() {
        std::array<char, 16384> chunk{};
        pollfd wait{m_fd, POLLIN, 0};
        while (!m_stop) {
            if (poll(&wait, 1, 50) > 0) {
                const ssize_t got = read(m_fd, chunk.data(), chunk.size());
                m_buffer.append(chunk.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
                return got > 0;
            }
        }
        return false;
    }

    int m_fd;
    const std::atomic<bool>& m_stop;
    std::string m_buffer;
};

// A print server on loopback for one test, which serves each connection, on a thread of its
// own, as the test's script says: with raw bytes, slowly, never, or with a TLS alert.
class FakeIppServer {
public:
    using Script = std::function<void(FakeConnection& connection)>;
    static constexpr const char* kContinue = "HTTP/1.1 100 Continue\r\n\r\n";

    explicit FakeIppServer(Script script)
        : m_script(std::move(script)), m_acceptor([this] { Accept(); }) {}
    FakeIppServer(const FakeIppServer&) = delete;
    FakeIppServer& operator=(const FakeIppServer&) = delete;
    ~FakeIppServer() {
        m_bStop = true;
        m_acceptor.join();
        for (std::thread& connection : m_connections) {
            connection.join();
        }
    }

    std::string Server() const { return "127.0.0.1:" + std::to_string(m_listener.Port()); }

    static std::string Http(const std::string& status, const std::string& body,
                            const std::string& headers = "") {
        return "HTTP/1.1 " + status + "\r\nContent-Type: application/ipp\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n" + headers + "\r\n" + body;
    }

    // Answers every request with the queue "labels", idle and taking jobs, written by libcups;
    // with `wrongTypes` its texts are integers. A `polite` server sends "100 Continue" first.
    static Script Queue(bool wrongTypes, bool polite) {
        const IppResponse answer(ippNew());
        ipp_t* queue = answer.get();
        ippSetRequestId(queue, 1);
        ippSetStatusCode(queue, IPP_STATUS_OK);
        ippAddString(queue, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr, "labels");
        ippAddInteger(queue, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        ippAddBoolean(queue, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        for (const auto& [tag, name] : {std::pair{IPP_TAG_KEYWORD, "printer-state-reasons"},
                                        {IPP_TAG_MIMETYPE, "document-format-supported"},
                                        {IPP_TAG_TEXT, "printer-info"}}) {
            if (wrongTypes) {
                ippAddInteger(queue, IPP_TAG_PRINTER, IPP_TAG_INTEGER, name, 7);
            } else {
                ippAddString(queue, IPP_TAG_PRINTER, tag, name, nullptr, "none");
            }
        }
        std::string bytes;
        while (ippWriteIO(&bytes, Append, 1, nullptr, queue) != IPP_STATE_DATA) {
        }
        const std::string reply = (polite ? kContinue : "") + Http("200 OK", bytes);
        return [reply](FakeConnection& connection) {
            while (connection.ReadRequest() && connection.Send(reply)) {
            }
        };
    }

private:
    static ssize_t Append(void* bytes, ipp_uchar_t* data, size_t size) {
        static_cast<std::string*>(bytes)->append(reinterpret_cast<const char*>(data), size);
        return static_cast<ssize_t>(size);
    }

    void Accept() {
        while (!m_bStop) {
            pollfd wait{m_listener.Fd(), POLLIN, 0};
            if (poll(&wait, 1, 50) <= 0) {
                continue;
            }
            if (const int fd = accept(m_listener.Fd(), nullptr, nullptr); fd >= 0) {
                m_connections.emplace_back([this, fd] {
                    FakeConnection connection(fd, m_bStop);
                    m_script(connection);
                });
            }
        }
    }

    LoopbackListener m_listener;
    Script m_script;
    std::atomic<bool> m_bStop{false};
    std::vector<std::thread> m_connections;
    std::thread m_acceptor;
};
