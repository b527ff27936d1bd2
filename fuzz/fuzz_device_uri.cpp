// Any text as a device URI: a clean failure with a reason, or a target that makes sense.
#include "DeviceUri.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A usb:// name written out again must read back as the same printer.
bool RoundTrips(const PortTarget& target) {
    PortTarget again;
    std::string error;
    return ParseDeviceUri(target.Display(), again, error) &&
           again.printer.make == target.printer.make &&
           again.printer.model == target.printer.model &&
           again.printer.serial == target.printer.serial;
}

bool Valid(const PortTarget& target) {
    if (target.kind == PortTarget::Kind::UsbPrinter) {
        return !target.printer.make.empty() && !target.printer.model.empty() &&
               target.path.empty() && RoundTrips(target);
    }
    if (target.kind == PortTarget::Kind::Socket) {
        return !target.host.empty() && target.tcpPort >= 1 && target.tcpPort <= 65535;
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
    std::string error;
    if (ParseDeviceUri(text, target, error)) {
        if (!Valid(target) || target.Display().empty()) {
            std::abort();
        }
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
