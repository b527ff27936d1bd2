#pragma once

#include <string>
#include <utility>

// The outcome of one attempt to reach a device: success, or a short reason a person can act on.
class PortStatus {
public:
    static PortStatus Ok() { return PortStatus(); }
    static PortStatus Failed(std::string reason) { return PortStatus(std::move(reason)); }

    bool ok() const { return m_strReason.empty(); }
    const std::string& reason() const { return m_strReason; }

private:
    PortStatus() = default;
    explicit PortStatus(std::string reason) : m_strReason(std::move(reason)) {}

    std::string m_strReason;
};
