#include "printer/outport/target/PrinterIdentity.h"

#include <algorithm>
#include <cctype>

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string PrinterIdentity::Description() const {
    if (make.empty() || (model.size() > make.size() &&
                         EqualIgnoringCase(std::string_view(model).substr(0, make.size()), make) &&
                         model[make.size()] == ' ')) {
        return model;
    }
    return model.empty() ? make : make + " " + model;
}

bool IsWantedPrinter(const PrinterIdentity& wanted, const PrinterIdentity& found) {
    return EqualIgnoringCase(wanted.make, found.make) &&
           EqualIgnoringCase(wanted.model, found.model) &&
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
