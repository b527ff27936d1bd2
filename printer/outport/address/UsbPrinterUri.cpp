#include "printer/outport/address/UsbPrinterUri.h"

#include "printer/outport/address/PercentEncoding.h"

#include <optional>
#include <utility>

namespace {

PortStatus Decode(std::string_view text, std::string& decoded) {
    decoded.clear();
    if (text.find('\0') != std::string_view::npos) {
        return PortStatus::Failed("a device name cannot hold a zero byte");
    }
    std::optional<std::string> bytes = PercentDecoded(text);
    if (!bytes || bytes->find('\0') != std::string::npos) {
        return PortStatus::Failed("a '%' must be followed by two hexadecimal digits, and not 00");
    }
    decoded = std::move(*bytes);
    return PortStatus::Ok();
}

PortStatus ApplyOption(std::string_view option, PrinterIdentity& printer) {
    const auto equals = option.find('=');
    const std::string_view key = option.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : option.substr(equals + 1);
    if (key == "serial" && !value.empty()) {
        return Decode(value, printer.serial);
    }
    // Spoolers add the interface number; the printer-class driver has one node per printer.
    if (key == "interface") {
        return PortStatus::Ok();
    }
    return PortStatus::Failed("unknown USB printer option \"" + std::string(option) +
                              "\" (serial=SERIAL)");
}

} // namespace

std::string MakeUsbPrinterUri(const PrinterIdentity& printer) {
    std::string uri = "usb://" + PercentEncoded(printer.make) + "/" + PercentEncoded(printer.model);
    if (!printer.serial.empty()) {
        uri += "?serial=" + PercentEncoded(printer.serial);
    }
    return uri;
}

PortStatus ParseUsbPrinterUri(std::string_view text, PrinterIdentity& printer) {
    printer = PrinterIdentity();
    const auto question = text.find('?');
    const std::string_view path = text.substr(0, question);
    const auto slash = path.find('/');
    const auto wrongForm = [] {
        return PortStatus::Failed(
            "expected usb://MAKE/MODEL, optionally followed by ?serial=SERIAL");
    };
    if (slash == std::string_view::npos) {
        return wrongForm();
    }
    for (const auto& [part, decoded] : {std::pair{path.substr(0, slash), &printer.make},
                                        std::pair{path.substr(slash + 1), &printer.model}}) {
        if (PortStatus status = Decode(part, *decoded); !status.ok()) {
            return status;
        }
        if (decoded->empty()) {
            return wrongForm();
        }
    }
    std::string_view options =
        question == std::string_view::npos ? std::string_view() : text.substr(question + 1);
    while (!options.empty()) {
        const auto separator = options.find('&');
        if (PortStatus applied = ApplyOption(options.substr(0, separator), printer);
            !applied.ok()) {
            return applied;
        }
        options.remove_prefix(separator == std::string_view::npos ? options.size() : separator + 1);
    }
    return PortStatus::Ok();
}
