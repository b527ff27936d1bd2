#pragma once

#include <cstring>
#include <string>
#include <utility>

// The outcome of one step of reaching a device: success, or a short reason a person can act on.
// A failed system call also keeps its errno, so that the step that knows the kind of device can
// put it in better words (see Explained in FailureReason.h).
class PortStatus {
public:
    static PortStatus Ok() { return PortStatus(); }
    static PortStatus Failed(std::string reason, int error = 0) {
        return PortStatus(std::move(reason), error);
    }
    static PortStatus SystemError(int error) { return Failed(std::strerror(error), error); }
    // Ok for 0, else the failed system call's errno.
    static PortStatus FromErrno(int error) { return error == 0 ? Ok() : SystemError(error); }

    bool ok() const { return m_strReason.empty(); }
    const std::string& reason() const { return m_strReason; }
    int error() const { return m_nError; } // the errno behind the failure; 0 when none

private:
    PortStatus() = default;
    PortStatus(std::string reason, int error) : m_strReason(std::move(reason)), m_nError(error) {}

    std::string m_strReason;
    int m_nError = 0;
};
