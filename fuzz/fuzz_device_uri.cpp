// Any text as a device URI: a clean failure with a reason, or a target that makes sense.
#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/SerialUri.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A usb:// name written out again must read back as the same printer.
bool RoundTrips(const PortTarget& target) {
    PortTarget again;
    return ParseDeviceUri(target.Display(), again).ok() &&
           again.printer.make == target.printer.make &&
           again.printer.model == target.printer.model &&
           again.printer.serial == target.printer.serial;
}

// A serial line written out again, as the Ports dialog writes it, must read back the same.
bool SerialRoundTrips(const PortTarget& target) {
    PortTarget again;
    const SerialOptions& a = target.serial;
    const SerialOptions& b = again.serial;
    return ParseDeviceUri(SerialUri(target.path, a), again).ok() && again.path == target.path &&
           a.baud == b.baud && a.bits == b.bits && a.parity == b.parity &&
           a.stopBits == b.stopBits && a.flow == b.flow;
}

// A print queue written out again must name the same queue on the same server.
bool QueueRoundTrips(const PortTarget& target) {
    PortTarget again;
    return !target.queue.empty() && target.queue.size() <= 127 &&
           ParseDeviceUri(target.Display(), again).ok() && again.kind == target.kind &&
           again.queue == target.queue && again.host == target.host &&
           again.tcpPort == target.tcpPort && again.encrypted == target.encrypted;
}

// A printer on the network written out again must name the same service.
bool ServiceRoundTrips(const PortTarget& target) {
    PortTarget again;
    const NetworkServiceName& a = target.service;
    return !a.instance.empty() && a.instance.size() <= 63 && !a.domain.empty() &&
           ParseDeviceUri(target.Display(), again).ok() &&
           again.kind == PortTarget::Kind::NetworkService && again.service.instance == a.instance &&
           again.service.type == a.type && again.service.domain == a.domain;
}

bool Valid(const PortTarget& target) {
    if (target.kind == PortTarget::Kind::NetworkService) {
        return ServiceRoundTrips(target);
    }
    if (target.kind == PortTarget::Kind::CupsQueue || target.kind == PortTarget::Kind::IppPrinter) {
        return QueueRoundTrips(target);
    }
    if (target.kind == PortTarget::Kind::UsbPrinter) {
        return !target.printer.make.empty() && !target.printer.model.empty() &&
               target.path.empty() && RoundTrips(target);
    }
    if (target.kind == PortTarget::Kind::Socket) {
        return !target.host.empty() && target.tcpPort >= 1 && target.tcpPort <= 65535;
    }
    if (target.kind == PortTarget::Kind::Serial && !SerialRoundTrips(target)) {
        return false;
    }
    const SerialOptions& serial = target.serial;
    return !target.path.empty() && target.path.front() == '/' &&
           target.path.find('\0') == std::string::npos && serial.bits >= 5 && serial.bits <= 8 &&
           (serial.stopBits == 1 || serial.stopBits == 2) && serial.baud >= 1200 &&
           serial.baud <= 230400;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PortTarget target;
    if (ParseDeviceUri(text, target).ok() && (!Valid(target) || target.Display().empty())) {
        std::abort();
    }
    return 0;
}
