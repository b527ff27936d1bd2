#include "printer/outport/address/PrinterIdentity.h"

#include "base/Characters.h"

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string PrinterIdentity::Description() const {
    if (make.empty() ||
        (model.size() > make.size() &&
         EqualIgnoringAsciiCase(std::string_view(model).substr(0, make.size()), make) &&
         model[make.size()] == ' ')) {
        return model;
    }
    return model.empty() ? make : make + " " + model;
}

bool IsWantedPrinter(const PrinterIdentity& wanted, const PrinterIdentity& found) {
    return EqualIgnoringAsciiCase(wanted.make, found.make) &&
           EqualIgnoringAsciiCase(wanted.model, found.model) &&
           (wanted.serial.empty() || wanted.serial == found.serial);
}

PrinterIdentity ParseIeee1284Id(std::string_view id) {
    PrinterIdentity identity;
    while (!id.empty()) {
        const auto end = id.find(';');
        const std::string_view field = id.substr(0, end);
        id.remove_prefix(end == std::string_view::npos ? id.size() : end + 1);
        const auto colon = field.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(field.substr(0, colon));
        const std::string value(Trim(field.substr(colon + 1)));
        if (key == "MFG" || key == "MANUFACTURER") {
            identity.make = value;
        } else if (key == "MDL" || key == "MODEL") {
            identity.model = value;
        } else if (key == "SN" || key == "SERIALNUMBER") {
            identity.serial = value;
        }
    }
    return identity;
}
