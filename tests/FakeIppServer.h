#pragma once

#include "printer/outport/cups/IppAnswers.h"
#include "tests/Endpoints.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <poll.h>
#include <string>
#include <strings.h>
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

    // The next request's IPP message (the document after it is read and dropped); empty when
    // the client went or the server stops.
    IppResponse ReadRequest() {
        std::size_t head = std::string::npos;
        while ((head = m_buffer.find("\r\n\r\n")) == std::string::npos) {
            if (!Fill()) {
                return nullptr;
            }
        }
        std::size_t length = 0;
        for (std::size_t line = m_buffer.find("\r\n"); line < head;
             line = m_buffer.find("\r\n", line + 2)) {
            if (strncasecmp(m_buffer.c_str() + line + 2, "Content-Length:", 15) == 0) {
                length = std::stoul(m_buffer.substr(line + 17));
            }
        }
        while (m_buffer.size() < head + 4 + length) {
            if (!Fill()) {
                return nullptr;
            }
        }
        IppResponse request = ParseIppMessage(m_buffer.substr(head + 4, length));
        m_buffer.erase(0, head + 4 + length);
        return request;
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
    // What a slow server sends: one byte of `bytes` after another, in a loop, until the client
    // goes or the server stops.
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

// A print server on loopback for one test, which answers each connection as its script says:
// with answers libcups itself wrote, or with raw bytes, slowly, never, or with a TLS alert.
// Each connection has a thread of its own.
class FakeIppServer {
public:
    using Script = std::function<void(FakeConnection& connection)>;

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

    // An HTTP answer with `body` as its content.
    static std::string Http(const std::string& status, const std::string& body,
                            const std::string& headers = "") {
        return "HTTP/1.1 " + status + "\r\nContent-Type: application/ipp\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n" + headers + "\r\n" + body;
    }

    // `message` as IPP bytes, written by libcups.
    static std::string IppBytes(ipp_t* message) {
        std::string bytes;
        ippSetState(message, IPP_STATE_IDLE);
        while (ippWriteIO(&bytes, Append, 1, nullptr, message) != IPP_STATE_DATA) {
        }
        return bytes;
    }

    // What a raw queue named "labels" answers: its attributes, a job, the job completed. With
    // `wrongTypes` every text it gives is an integer and its flag a text instead.
    static std::string Answer(ipp_t* request, bool wrongTypes) {
        const IppResponse answer(ippNewResponse(request));
        ipp_t* a = answer.get();
        const auto text = [a, wrongTypes](ipp_tag_t tag, const char* name, const char* value) {
            if (wrongTypes) {
                ippAddInteger(a, IPP_TAG_PRINTER, IPP_TAG_INTEGER, name, 7);
            } else {
                ippAddString(a, IPP_TAG_PRINTER, tag, name, nullptr, value);
            }
        };
        switch (ippGetOperation(request)) {
        case IPP_OP_GET_PRINTER_ATTRIBUTES:
        case IPP_OP_CUPS_GET_PRINTERS:
            ippAddString(a, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr, "labels");
            ippAddInteger(a, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
            ippAddBoolean(a, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
            text(IPP_TAG_KEYWORD, "printer-state-reasons", "none");
            text(IPP_TAG_MIMETYPE, "document-format-supported", "application/vnd.cups-raw");
            text(IPP_TAG_TEXT, "printer-info", "Label printer");
            text(IPP_TAG_TEXT, "printer-state-message", "");
            break;
        case IPP_OP_CUPS_GET_DEFAULT:
            text(IPP_TAG_NAME, "printer-name", "labels");
            break;
        case IPP_OP_CREATE_JOB:
            ippAddInteger(a, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", 7);
            break;
        case IPP_OP_GET_JOB_ATTRIBUTES:
            ippAddInteger(a, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state", IPP_JSTATE_COMPLETED);
            text(IPP_TAG_KEYWORD, "job-state-reasons", "job-completed-successfully");
            break;
        default:
            break;
        }
        return IppBytes(a);
    }

    // An interim answer that asks for the rest of the request.
    static constexpr const char* kContinue = "HTTP/1.1 100 Continue\r\n\r\n";

    // A script that answers every request as Answer does, after a "100 Continue" if `polite`.
    static Script WellBehaved(bool wrongTypes, bool polite) {
        return [wrongTypes, polite](FakeConnection& connection) {
            for (IppResponse request = connection.ReadRequest(); request;
                 request = connection.ReadRequest()) {
                if (!connection.Send((polite ? kContinue : "") +
                                     Http("200 OK", Answer(request.get(), wrongTypes)))) {
                    return;
                }
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
            const int fd = accept(m_listener.Fd(), nullptr, nullptr);
            if (fd >= 0) {
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
