#include "printer/outport/address/SerialUri.h"

namespace {

const char* ParityName(SerialOptions::Parity parity) {
    switch (parity) {
    case SerialOptions::Parity::Even:
        return "even";
    case SerialOptions::Parity::Odd:
        return "odd";
    case SerialOptions::Parity::None:
        break;
    }
    return "none";
}

const char* FlowName(SerialOptions::Flow flow) {
    switch (flow) {
    case SerialOptions::Flow::Soft:
        return "soft";
    case SerialOptions::Flow::Hard:
        return "hard";
    case SerialOptions::Flow::None:
        break;
    }
    return "none";
}

bool AreDefaults(const SerialOptions& options) {
    const SerialOptions defaults;
    return options.baud == defaults.baud && options.bits == defaults.bits &&
           options.parity == defaults.parity && options.stopBits == defaults.stopBits &&
           options.flow == defaults.flow;
}

} // namespace

std::string SerialUri(std::string_view path, const SerialOptions& options) {
    std::string uri = "serial:" + std::string(path);
    if (AreDefaults(options)) {
        return uri;
    }
    uri += "?baud=" + std::to_string(options.baud);
    uri += "+bits=" + std::to_string(options.bits);
    uri += "+parity=";
    uri += ParityName(options.parity);
    uri += "+stop=" + std::to_string(options.stopBits);
    uri += "+flow=";
    uri += FlowName(options.flow);
    return uri;
}
