#pragma once

#include "base/UniqueFd.h"
#include "printer/outport/cups/PrintServer.h"
#include "tests/Endpoints.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>

// What a FakeIppServer does on each connection: sends `greeting` (for a TLS client, whose hello
// is no HTTP request), then for each request sends `reply` and `repeat` again and again, every
// `pauseMs`, until the client goes.
struct FakeBehaviour {
    FakeBehaviour(std::string reply, std::string repeat = "", int pauseMs = 0,
                  std::string greeting = "")
        : reply(std::move(reply)), repeat(std::move(repeat)), pauseMs(pauseMs),
          greeting(std::move(greeting)) {}

    std::string reply;
    std::string repeat;
    int pauseMs;
    std::string greeting;
};

// A print server on loopback for one test, on a thread of its own.
class FakeIppServer {
public:
    static constexpr const char* kContinue = "HTTP/1.1 100 Continue\r\n\r\n";

    explicit FakeIppServer(FakeBehaviour behaviour)
        : m_behaviour(std::move(behaviour)), m_acceptor([this] { Accept(); }) {}
    FakeIppServer(const FakeIppServer&) = delete;
    FakeIppServer& operator=(const FakeIppServer&) = delete;
    ~FakeIppServer() {
        m_bStop = true;
        m_acceptor.join();
    }

    std::string Server() const { return "127.0.0.1:" + std::to_string(m_listener.Port()); }

    static std::string Http(const std::string& status, const std::string& body,
                            const std::string& headers = "") {
        return "HTTP/1.1 " + status + "\r\nContent-Type: application/ipp\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n" + headers + "\r\n" + body;
    }

    // The queue "labels", idle and taking jobs, as libcups writes it; with `wrongTypes` its
    // texts are integers.
    static std::string QueueAnswer(bool wrongTypes) {
        const IppResponse answer(ippNew());
        ipp_t* queue = answer.get();
        ippSetRequestId(queue, 1);
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
        return bytes;
    }

private:
    static ssize_t Append(void* bytes, ipp_uchar_t* data, size_t size) {
        static_cast<std::string*>(bytes)->append(reinterpret_cast<const char*>(data), size);
        return static_cast<ssize_t>(size);
    }

    // One connection after another: libcups opens the next when it has done with one.
    void Accept() {
        while (!m_bStop) {
            pollfd wait{m_listener.Fd(), POLLIN, 0};
            if (poll(&wait, 1, 50) > 0) {
                if (const UniqueFd connection(accept(m_listener.Fd(), nullptr, nullptr));
                    connection.valid()) {
                    Serve(connection.get());
                }
            }
        }
    }

    void Serve(int fd) {
        std::string received;
        Send(fd, m_behaviour.greeting);
        while (ReadRequest(fd, received) && Send(fd, m_behaviour.reply)) {
            while (!m_behaviour.repeat.empty() && !m_bStop && Send(fd, m_behaviour.repeat)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(m_behaviour.pauseMs));
            }
        }
    }

    // Takes one request, with its body as long as it says, off the front of `received`.
    bool ReadRequest(int fd, std::string& received) const {
        for (;;) {
            const std::size_t head = received.find("\r\n\r\n");
            const std::size_t field = received.find("Content-Length: ");
            const std::size_t end =
                head == std::string::npos
                    ? head
                    : head + 4 + (field < head ? std::stoul(received.substr(field + 16)) : 0);
            if (end <= received.size()) {
                received.erase(0, end);
                return true;
            }
            if (!Receive(fd, received)) {
                return false;
            }
        }
    }

    // Adds what arrives; false once the client has gone or the server stops.
    bool Receive(int fd, std::string& received) const {
        std::array<char, 16384> chunk{};
        for (pollfd wait{fd, POLLIN, 0}; !m_bStop;) {
            if (poll(&wait, 1, 50) > 0) {
                const ssize_t got = read(fd, chunk.data(), chunk.size());
                received.append(chunk.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
                return got > 0;
            }
        }
        return false;
    }

    static bool Send(int fd, const std::string& bytes) {
        return send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }

    LoopbackListener m_listener;
    FakeBehaviour m_behaviour;
    std::atomic<bool> m_bStop{false};
    std::thread m_acceptor;
};
