#include "printer/outport/cups/PrintServer.h"

#include "printer/outport/cups/ConnectionWatch.h"
#include "printer/outport/cups/IppAnswers.h"

#include <array>
#include <cerrno>
#include <strings.h>
#include <sys/types.h>

namespace {

// Larger answers are refused: a queue's attributes take a few KiB, a listing of hundreds of
// queues well under this.
constexpr std::size_t kLargestAnswer = std::size_t{1} << 20;
// What a message shows of the words or an address a server sends, which may be anything.
constexpr std::size_t kLongestShownText = 300;

// libcups asks for a password on the terminal unless told otherwise; here nobody answers.
const char* NoPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                       const char* /*resource*/, void* /*data*/) {
    return nullptr;
}

bool AsksForPassword(http_status_t http, ipp_status_t ipp) {
    return http == HTTP_STATUS_UNAUTHORIZED || http == HTTP_STATUS_CUPS_AUTHORIZATION_CANCELED ||
           ipp == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           ipp == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
}

// What a server sent, shortened and without control characters, so it cannot garble a message.
std::string Shown(const char* text) {
    std::string shown;
    for (const char* c = text; *c != '\0' && shown.size() < kLongestShownText; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        shown += byte < 0x20 || byte == 0x7f ? '?' : *c;
    }
    return shown;
}

} // namespace

std::string BudgetText(const Deadline& deadline) {
    const auto ms = deadline.Budget().count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

std::string PrintServerAddress::Display() const {
    if (!host.empty() && host.front() == '/') {
        return host;
    }
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

PrintServerAddress UsersPrintServer() {
    // libcups keeps the server it found per thread; a long-lived program follows changes.
    cupsSetServer(nullptr);
    return {cupsServer(), ippPort(), cupsEncryption()};
}

PrintServerConnection::PrintServerConnection() = default;

PrintServerConnection::~PrintServerConnection() {
    m_pWatch.reset(); // before the socket's number is free for others
    if (m_pHttp != nullptr) {
        httpClose(m_pHttp);
    }
}

PortStatus PrintServerConnection::Open(const PrintServerAddress& address,
                                       const Deadline& deadline) {
    m_strServer = address.Display();
    m_pDeadline = &deadline;
    m_pWatch = std::make_unique<ConnectionWatch>(deadline);
    cupsSetPasswordCB2(NoPassword, nullptr);
    // TLS starts on a connection that is already there, so that the watch can end a handshake
    // the server never answers, and a failed one is told apart from no server.
    const bool tls = address.encryption == HTTP_ENCRYPTION_ALWAYS;
    m_pHttp = httpConnect2(address.host.c_str(), address.port, nullptr, AF_UNSPEC,
                           tls ? HTTP_ENCRYPTION_IF_REQUESTED : address.encryption, 1,
                           deadline.RemainingMs(), m_pWatch->CancelFlag());
    if (m_pHttp == nullptr) {
        return Unanswered();
    }
    // Short slices, so that a cancel request is seen within a tenth of a second.
    httpSetTimeout(m_pHttp, 0.1, KeepWaiting, this);
    m_pWatch->Watch(httpGetFd(m_pHttp));
    m_pWatch->WatchNewSockets();
    const int encrypted = tls ? httpEncryption(m_pHttp, HTTP_ENCRYPTION_ALWAYS) : 0;
    m_pWatch->Watch(-1);
    if (encrypted != 0) {
        if (deadline.Cancelled() || deadline.Expired()) {
            return Unanswered();
        }
        const char* words = cupsLastErrorString();
        return PortStatus::Failed("TLS with the print server " + m_strServer + " failed" +
                                  (words != nullptr && *words != '\0' ? ": " + Shown(words) : ""));
    }
    return PortStatus::Ok();
}

// Why the server could not be reached: cancelled, out of time, or nobody there.
PortStatus PrintServerConnection::Unanswered() const {
    if (m_pDeadline->Cancelled()) {
        (void)m_pDeadline->Pause(0); // marks the call as stopped by the cancel request
        return PortStatus::Failed("cancelled", ECANCELED);
    }
    if (m_pDeadline->Expired()) {
        return PortStatus::Failed("the print server " + m_strServer + " did not answer within " +
                                      BudgetText(*m_pDeadline),
                                  ETIMEDOUT);
    }
    // libcups does not keep why (refused, unreachable, unknown name) in any form to rely on.
    return PortStatus::Failed("no print server answers at " + m_strServer);
}

int PrintServerConnection::KeepWaiting(http_t* /*http*/, void* connection) {
    const Deadline& deadline = *static_cast<PrintServerConnection*>(connection)->m_pDeadline;
    return deadline.Expired() || deadline.Cancelled() ? 0 : 1;
}

// After an answer that closed the connection, or one not read to its end, libcups would
// connect again on its own, for up to 30 s and deaf to a cancel request; this does it within
// the deadline.
PortStatus PrintServerConnection::Reconnected() {
    const char* connection = httpGetField(m_pHttp, HTTP_FIELD_CONNECTION);
    const bool closing = connection != nullptr && strcasecmp(connection, "close") == 0;
    if (httpGetFd(m_pHttp) >= 0 && httpGetState(m_pHttp) == HTTP_STATE_WAITING && !closing) {
        return PortStatus::Ok();
    }
    httpClearFields(m_pHttp);
    if (m_pDeadline->Expired() || m_pDeadline->Cancelled()) {
        return Unanswered();
    }
    m_pWatch->WatchNewSockets(); // a TLS handshake runs inside
    const int failed = httpReconnect2(m_pHttp, m_pDeadline->RemainingMs(), m_pWatch->CancelFlag());
    m_pWatch->Watch(-1);
    return failed != 0 ? Unanswered() : PortStatus::Ok();
}

PortStatus PrintServerConnection::Exchange(ipp_t* request, const std::string& resource,
                                           IppResponse& response, const unsigned char* document,
                                           std::size_t size) {
    const IppResponse owned(request);
    response.reset();
    m_ippStatus = IPP_STATUS_OK;
    if (PortStatus ready = Reconnected(); !ready.ok()) {
        return ready;
    }
    m_pWatch->Watch(httpGetFd(m_pHttp));
    http_status_t http =
        cupsSendRequest(m_pHttp, request, resource.c_str(), ippLength(request) + size);
    if (http == HTTP_STATUS_CONTINUE && size > 0) {
        http = cupsWriteRequestData(m_pHttp, reinterpret_cast<const char*>(document), size);
    }
    // A server may answer at once instead of sending "100 Continue", as HTTP allows.
    std::string body;
    bool tooLarge = false;
    if (http == HTTP_STATUS_CONTINUE || http == HTTP_STATUS_OK) {
        http = ReadAnswer(body, tooLarge);
    }
    if (http == HTTP_STATUS_OK && !tooLarge) {
        response = ParseIppMessage(body);
    }
    // Between exchanges nothing is watched, so the socket of a connection made meanwhile (one
    // that cancels a job) is never taken for this one's.
    m_pWatch->Watch(-1);
    PortStatus status = Outcome(http, response, tooLarge);
    if (!status.ok()) {
        response.reset();
    }
    return status;
}

// The answer's status and header lines, then at most kLargestAnswer bytes of its body.
http_status_t PrintServerConnection::ReadAnswer(std::string& body, bool& tooLarge) {
    http_status_t http = HTTP_STATUS_CONTINUE;
    while (http == HTTP_STATUS_CONTINUE) {
        http = httpUpdate(m_pHttp);
    }
    if (http != HTTP_STATUS_OK) {
        return http;
    }
    std::array<char, 16384> chunk{};
    for (;;) {
        const ssize_t got = httpRead2(m_pHttp, chunk.data(), chunk.size());
        if (got == 0) {
            return http;
        }
        if (got < 0) {
            return HTTP_STATUS_ERROR;
        }
        if (body.size() + static_cast<std::size_t>(got) > kLargestAnswer) {
            tooLarge = true;
            return http;
        }
        body.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

PortStatus PrintServerConnection::Outcome(http_status_t http, const IppResponse& response,
                                          bool tooLarge) {
    if (response) {
        m_ippStatus = ippGetStatusCode(response.get());
        if (m_ippStatus <= IPP_STATUS_OK_EVENTS_COMPLETE) {
            return PortStatus::Ok();
        }
    }
    if (http == HTTP_STATUS_NOT_FOUND) {
        m_ippStatus = IPP_STATUS_ERROR_NOT_FOUND;
    }
    const std::string server = "the print server " + m_strServer;
    if (m_pDeadline->Cancelled() || m_pDeadline->Expired()) {
        return Unanswered();
    }
    if (tooLarge) {
        return PortStatus::Failed(server + " sent an answer larger than 1 MiB");
    }
    if (AsksForPassword(http, m_ippStatus)) {
        return PortStatus::Failed("the print server asks for a password");
    }
    if (http == HTTP_STATUS_FORBIDDEN) {
        return PortStatus::Failed(server + " does not allow this computer or user to do that");
    }
    if (http >= HTTP_STATUS_MULTIPLE_CHOICES && http < HTTP_STATUS_BAD_REQUEST) {
        const char* location = httpGetField(m_pHttp, HTTP_FIELD_LOCATION);
        return PortStatus::Failed(server + " says this has moved to " +
                                  (location != nullptr && *location != '\0'
                                       ? Shown(location)
                                       : std::string("an address it does not give")));
    }
    if (http >= HTTP_STATUS_BAD_REQUEST) {
        return PortStatus::Failed(server + " answered " + std::to_string(http) + " " +
                                  httpStatus(http));
    }
    if (response) {
        const std::string words = StatusMessageOf(response.get());
        return PortStatus::Failed(words.empty() ? ippErrorString(m_ippStatus)
                                                : Shown(words.c_str()));
    }
    return PortStatus::Failed(server + " broke off the connection");
}
