#include "printer/outport/status/PrinterState.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

// IPP adds "-error", "-warning" or "-report" to a reason to say how grave it is; the words for
// it are the same.
std::string_view WithoutSeverity(std::string_view keyword) {
    for (const std::string_view suffix : {"-error", "-warning", "-report"}) {
        if (keyword.size() > suffix.size() && keyword.ends_with(suffix)) {
            return keyword.substr(0, keyword.size() - suffix.size());
        }
    }
    return keyword;
}

// The reasons a label printer gives; any other keyword is shown as it is.
std::string ReasonWords(std::string_view keyword) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kWords{{
        {"media-empty", "out of paper"},
        {"media-needed", "out of paper"},
        {"media-low", "paper low"},
        {"media-jam", "paper jam"},
        {"marker-supply-empty", "out of ribbon"},
        {"marker-supply-low", "ribbon low"},
        {"offline", "off line"},
        {"other", "the printer reports an error"},
        {"paused", "paused"},
        {"cover-open", "cover open"},
        {"door-open", "door open"},
        {"shutdown", "shut down"},
    }};
    const std::string_view base = WithoutSeverity(keyword);
    for (const auto& [reason, words] : kWords) {
        if (base == reason) {
            return std::string(words);
        }
    }
    return std::string(keyword);
}

} // namespace

const char* StateKeyword(PrinterState::State state) {
    switch (state) {
    case PrinterState::State::Idle:
        return "idle";
    case PrinterState::State::Processing:
        return "processing";
    case PrinterState::State::Stopped:
        return "stopped";
    case PrinterState::State::Unknown:
        break;
    }
    return "unknown";
}

std::string JoinedReasons(const PrinterState& state) {
    std::string joined;
    for (const std::string& reason : state.reasons) {
        joined += (joined.empty() ? "" : " ") + reason;
    }
    return joined;
}

std::string DescribePrinterState(const PrinterState& state) {
    if (state.state == PrinterState::State::Unknown) {
        // A message says why a connection that could tell did not, such as a busy device.
        return state.message.empty() ? "status not reported by this connection"
                                     : "status unknown: " + state.message;
    }
    std::string reasons;
    for (const std::string& reason : state.reasons) {
        if (reason != "none") {
            reasons += (reasons.empty() ? "" : ", ") + ReasonWords(reason);
        }
    }
    if (reasons.empty()) {
        reasons = state.message;
    } else if (!state.message.empty()) {
        reasons += " (" + state.message + ")"; // a queue's own words say more than its keywords
    }
    switch (state.state) {
    case PrinterState::State::Stopped:
        return reasons.empty() ? "stopped" : "stopped: " + reasons;
    case PrinterState::State::Processing:
        return reasons.empty() ? "printing" : "printing; " + reasons;
    default:
        return reasons.empty() ? "ready" : reasons;
    }
}
