#include "printer/outport/status/PrinterState.h"

#include <gtest/gtest.h>

namespace {

using State = PrinterState::State;

// A printer that has not said how it is must never read as ready.
TEST(PrinterStateTest, SaysInWordsWhatThePrinterReports) {
    const struct {
        PrinterState printer;
        const char* keyword;
        const char* words;
    } cases[] = {
        {{}, "unknown", "status not reported by this connection"},
        {{State::Unknown, {"media-empty-error"}, ""},
         "unknown",
         "status not reported by this connection"},
        {{State::Unknown, {}, "busy — another program is using the port"},
         "unknown",
         "status unknown: busy — another program is using the port"},
        {{State::Idle, {}, ""}, "idle", "ready"},
        {{State::Idle, {"none"}, ""}, "idle", "ready"},
        {{State::Idle, {"media-empty-error", "offline-report"}, ""},
         "idle",
         "out of paper, off line"},
        {{State::Processing, {}, ""}, "processing", "printing"},
        {{State::Stopped, {"paused"}, "out of labels"},
         "stopped",
         "stopped: paused (out of labels)"},
        {{State::Stopped, {}, "out of labels"}, "stopped", "stopped: out of labels"},
        {{State::Stopped, {"other-error", "x-vendor-warning"}, ""},
         "stopped",
         "stopped: the printer reports an error, x-vendor-warning"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        EXPECT_STREQ(StateKeyword(c.printer.state), c.keyword);
        EXPECT_EQ(DescribePrinterState(c.printer), c.words);
    }
    EXPECT_EQ(JoinedReasons({State::Idle, {"media-empty-error", "offline-report"}, ""}),
              "media-empty-error offline-report");
}

} // namespace
