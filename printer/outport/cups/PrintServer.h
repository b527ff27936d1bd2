#pragma once

#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>
#include <cups/cups.h>
#include <memory>
#include <string>

// Where a print queue lives: the server to connect to and the queue's IPP address on it.
struct PrintServerAddress {
    std::string host; // a name, an address, or the path of the scheduler's local socket
    int port = 631;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;

    // "localhost:631", or the socket's path.
    std::string Display() const;
};

// The user's own CUPS server, found as every CUPS client finds it (CUPS_SERVER,
// client.conf, else the local scheduler).
PrintServerAddress UsersPrintServer();

// A call's time-out as its messages give it: "5 s", "1500 ms".
std::string BudgetText(const Deadline& deadline);

struct IppResponseDeleter {
    void operator()(ipp_t* response) const { ippDelete(response); }
};
using IppResponse = std::unique_ptr<ipp_t, IppResponseDeleter>;

class ConnectionWatch;

// One connection to a print server whose every exchange ends within a Deadline, woken by its
// cancel descriptor. The password prompt of libcups is turned off for the calling thread:
// a server that asks for one fails the request instead. An answer larger than 1 MiB is refused.
class PrintServerConnection {
public:
    PrintServerConnection();
    PrintServerConnection(const PrintServerConnection&) = delete;
    PrintServerConnection& operator=(const PrintServerConnection&) = delete;
    ~PrintServerConnection();

    // `deadline` bounds this and every following exchange; it must outlive the connection.
    PortStatus Open(const PrintServerAddress& address, const Deadline& deadline);

    // Sends `request` (which it takes) with an optional document and reads the answer. A failed
    // exchange, an IPP error status included, gives a reason and no response.
    PortStatus Exchange(ipp_t* request, const std::string& resource, IppResponse& response,
                        const unsigned char* document = nullptr, std::size_t size = 0);
    // The IPP status of the last answer; IPP_STATUS_ERROR_NOT_FOUND for an HTTP 404 too.
    ipp_status_t IppStatus() const { return m_ippStatus; }

private:
    static int KeepWaiting(http_t* http, void* connection);
    PortStatus Unanswered() const;
    PortStatus Reconnected();
    http_status_t ReadAnswer(std::string& body, bool& tooLarge);
    PortStatus Outcome(http_status_t http, const IppResponse& response, bool tooLarge);

    http_t* m_pHttp = nullptr;
    const Deadline* m_pDeadline = nullptr;
    std::unique_ptr<ConnectionWatch> m_pWatch;
    std::string m_strServer; // for messages
    ipp_status_t m_ippStatus = IPP_STATUS_OK;
};
