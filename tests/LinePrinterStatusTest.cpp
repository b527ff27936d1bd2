// The port status USB printers and parallel ports give, and the connections that give none.
#include "printer/outport/status/LinePrinterStatus.h"

#include "printer/outport/OutPortDevices.h"
#include "tests/Endpoints.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Paper empty 0x20, selected 0x10, no error 0x08; the other bits mean nothing here.
TEST(LinePrinterStatusTest, DecodesEveryCombinationOfTheThreeBits) {
    const struct {
        int status;
        const char* state;
        const char* reasons;
        const char* trouble;
    } cases[] = {
        {0x18, "idle", "", ""},
        {0x38, "stopped", "media-empty-error", "the printer is out of paper"},
        {0x08, "stopped", "offline-report", "the printer is off line"},
        {0x10, "stopped", "other-error", "the printer reports an error"},
        {0x28, "stopped", "media-empty-error offline-report",
         "the printer is out of paper and is off line"},
        {0x30, "stopped", "media-empty-error other-error",
         "the printer is out of paper and reports an error"},
        {0x00, "stopped", "offline-report other-error",
         "the printer is off line and reports an error"},
        {0x20, "stopped", "media-empty-error offline-report other-error",
         "the printer is out of paper, is off line and reports an error"},
        {0xdf, "idle", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        const PrinterState printer = DecodeLinePrinterStatus(c.status);
        EXPECT_STREQ(StateKeyword(printer.state), c.state);
        EXPECT_EQ(JoinedReasons(printer), c.reasons);
        EXPECT_EQ(PrinterTrouble(printer), c.trouble);
    }
}

// Serial lines, sockets and files say nothing about the printer, so it is never idle.
TEST(LinePrinterStatusTest, ConnectionsWithoutPortStatusAreUnknown) {
    const WorkDirectory dir;
    const PseudoTerminal pty;
    const LoopbackListener listener;
    for (const std::string& uri : {"serial:" + pty.Name(), pty.Name(),
                                   "socket://127.0.0.1:" + std::to_string(listener.Port()),
                                   "file:" + (dir.path() / "capture.bin").string()}) {
        SCOPED_TRACE(uri);
        OutPortTarget* target = OutPortDescribeUri(uri.c_str());
        EXPECT_EQ(target->usable, 1) << target->status;
        EXPECT_STREQ(target->printer.state, "unknown");
        EXPECT_STREQ(target->printer.reasons, "");
        EXPECT_STREQ(target->printer.words, "status not reported by this connection");
        OutPortFreeTarget(target);
    }
}

} // namespace
