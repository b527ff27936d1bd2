#include "printer/outport/cups/PrintServer.h"

#include "base/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

// libcups asks for a password on the terminal unless told otherwise; here nobody answers.
const char* NoPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                       const char* /*resource*/, void* /*data*/) {
    return nullptr;
}

bool AsksForPassword(ipp_status_t status) {
    return status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
}

// httpConnect2 looks at its cancel flag between short polls; this thread raises the flag when
// the call's cancel descriptor fires, until the connect is over.
class ConnectCancelWatch {
public:
    explicit ConnectCancelWatch(const Deadline& deadline)
        : m_stop(eventfd(0, EFD_CLOEXEC)), m_watcher([this, &deadline] { Watch(deadline); }) {}
    ConnectCancelWatch(const ConnectCancelWatch&) = delete;
    ConnectCancelWatch& operator=(const ConnectCancelWatch&) = delete;
    ~ConnectCancelWatch() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_stop.get(), &one, sizeof one);
        m_watcher.join();
    }

    int* Flag() { return &m_flag; }

private:
    void Watch(const Deadline& deadline) {
        while (!deadline.Expired()) {
            const int woken = deadline.Wait(m_stop.get(), POLLIN, deadline.RemainingMs());
            if (woken > 0) {
                return;
            }
            if (woken < 0 && errno == ECANCELED) {
                std::atomic_ref<int>(m_flag).store(1);
                return;
            }
        }
    }

    UniqueFd m_stop;
    int m_flag = 0;
    std::thread m_watcher;
};

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

PrintServerConnection::~PrintServerConnection() {
    if (m_pHttp != nullptr) {
        httpClose(m_pHttp);
    }
}

PortStatus PrintServerConnection::Open(const PrintServerAddress& address,
                                       const Deadline& deadline) {
    m_strServer = address.Display();
    cupsSetPasswordCB2(NoPassword, nullptr);
    {
        ConnectCancelWatch watch(deadline);
        m_pHttp = httpConnect2(address.host.c_str(), address.port, nullptr, AF_UNSPEC,
                               address.encryption, 1, deadline.RemainingMs(), watch.Flag());
    }
    if (m_pHttp == nullptr) {
        if (deadline.StoppedByCancel()) {
            return PortStatus::Failed("cancelled", ECANCELED);
        }
        if (deadline.Expired()) {
            return PortStatus::Failed("the print server " + m_strServer +
                                      " did not answer within " + BudgetText(deadline));
        }
        // libcups does not keep why (refused, unreachable, unknown name) in any form to rely on.
        return PortStatus::Failed("no print server answers at " + m_strServer);
    }
    Use(deadline);
    return PortStatus::Ok();
}

void PrintServerConnection::Use(const Deadline& deadline) {
    m_pDeadline = &deadline;
    // Short slices, so that a cancel request is seen within a tenth of a second.
    httpSetTimeout(m_pHttp, 0.1, KeepWaiting, this);
}

int PrintServerConnection::KeepWaiting(http_t* /*http*/, void* connection) {
    const Deadline& deadline = *static_cast<PrintServerConnection*>(connection)->m_pDeadline;
    return deadline.Expired() || deadline.Pause(0) < 0 ? 0 : 1;
}

PortStatus PrintServerConnection::Exchange(ipp_t* request, const std::string& resource,
                                           IppResponse& response, const unsigned char* document,
                                           std::size_t size) {
    response.reset();
    http_status_t sent =
        cupsSendRequest(m_pHttp, request, resource.c_str(), ippLength(request) + size);
    if (sent == HTTP_STATUS_CONTINUE && size > 0) {
        sent = cupsWriteRequestData(m_pHttp, reinterpret_cast<const char*>(document), size);
    }
    ippDelete(request);
    if (sent == HTTP_STATUS_CONTINUE) {
        response.reset(cupsGetResponse(m_pHttp, resource.c_str()));
    }
    const ipp_status_t status = cupsLastError();
    if (response && status <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return PortStatus::Ok();
    }
    const bool answered = response != nullptr;
    response.reset();
    if (m_pDeadline->StoppedByCancel()) {
        return PortStatus::Failed("cancelled", ECANCELED);
    }
    if (m_pDeadline->Expired()) {
        return PortStatus::Failed("the print server " + m_strServer + " did not answer within " +
                                      BudgetText(*m_pDeadline),
                                  ETIMEDOUT);
    }
    if (AsksForPassword(status) || sent == HTTP_STATUS_UNAUTHORIZED) {
        return PortStatus::Failed("the print server asks for a password");
    }
    // Without an answer libcups's words are about its own waiting ("Connection timed out"),
    // not about what happened: the server closed or reset the connection.
    const char* words = cupsLastErrorString();
    if (!answered || words == nullptr || *words == '\0') {
        return PortStatus::Failed("the print server " + m_strServer + " broke off the connection");
    }
    return PortStatus::Failed(words);
}
