#pragma once

#include <string>
#include <vector>

// What a printer reports about itself, in IPP's words. Most connections report nothing, and
// then the state stays Unknown: a printer that has not said it is ready is never shown as ready.
struct PrinterState {
    enum class State { Unknown, Idle, Processing, Stopped };

    State state = State::Unknown;
    std::vector<std::string> reasons; // IPP keywords, e.g. "media-empty-error"; none when fine
    std::string message;              // the printer's or queue's own words; may be empty
};

// "idle", "processing", "stopped" or "unknown".
const char* StateKeyword(PrinterState::State state);

// The reasons as one line of keywords separated by spaces; "" when there are none.
std::string JoinedReasons(const PrinterState& state);

// The state for a person: "ready", "printing", "out of paper", "stopped: out of paper",
// "status not reported by this connection", "status unknown: busy — another program is using
// the port".
std::string DescribePrinterState(const PrinterState& state);
