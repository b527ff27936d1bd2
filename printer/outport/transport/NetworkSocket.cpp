#include "printer/outport/transport/NetworkSocket.h"

#include "base/UniqueFd.h"
#include "printer/outport/transport/FailureReason.h"
#include "printer/outport/transport/WriteAll.h"

#include <cerrno>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>

namespace {

using AddressList = std::unique_ptr<addrinfo, decltype(&freeaddrinfo)>;

// Connects `fd` to the address, within the deadline.
PortStatus Connect(const addrinfo& address, const Deadline& deadline, UniqueFd& fd) {
    fd = UniqueFd(socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                         address.ai_protocol));
    if (!fd.valid()) {
        return PortStatus::SystemError(errno);
    }
    const int noDelay = 1;
    setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    if (connect(fd.get(), address.ai_addr, address.ai_addrlen) == 0) {
        return PortStatus::Ok();
    }
    if (errno != EINPROGRESS) {
        return PortStatus::SystemError(errno);
    }
    for (;;) {
        const int ready = deadline.Wait(fd.get(), POLLOUT, deadline.RemainingMs());
        if (ready > 0) {
            break;
        }
        if (ready == 0 || errno != EINTR) {
            return PortStatus::SystemError(ready == 0 ? ETIMEDOUT : errno);
        }
    }
    int result = 0;
    socklen_t length = sizeof result;
    if (getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &result, &length) != 0) {
        result = errno;
    }
    return result == 0 ? PortStatus::Ok() : PortStatus::SystemError(result);
}

} // namespace

PortStatus SendToSocket(const PortTarget& target, const unsigned char* data, std::size_t size,
                        const Deadline& deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    // A numeric address is tried as given. Only names are looked up for the address families
    // this host has: AI_ADDRCONFIG would drop ::1 on a host whose other addresses are all IPv4,
    // and 127.0.0.1 on one whose other addresses are all IPv6.
    hints.ai_flags = AI_NUMERICSERV | AI_NUMERICHOST;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(target.tcpPort);
    int lookUp = getaddrinfo(target.host.c_str(), service.c_str(), &hints, &found);
    if (lookUp == EAI_NONAME) {
        hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
        lookUp = getaddrinfo(target.host.c_str(), service.c_str(), &hints, &found);
    }
    if (lookUp != 0) {
        return PortStatus::Failed(std::string("cannot find the host: ") + gai_strerror(lookUp));
    }
    const AddressList addresses(found, &freeaddrinfo);

    PortStatus status = PortStatus::SystemError(ETIMEDOUT);
    for (const addrinfo* address = addresses.get(); address != nullptr && !deadline.Expired();
         address = address->ai_next) {
        UniqueFd fd;
        status = Connect(*address, deadline, fd);
        if (!status.ok()) {
            continue;
        }
        status = WriteAll(fd.get(), data, size, deadline, true);
        // The half-close tells the printer the job is complete.
        if (status.ok() && shutdown(fd.get(), SHUT_WR) != 0) {
            status = PortStatus::SystemError(errno);
        }
        break;
    }
    return Explained(status, DeviceClass::Network, deadline.Budget());
}
