// What mocked USB printers and parallel ports report through LPGETSTATUS, as the listing, the
// description of a URI and a failed send give it. Runs under umockdev-wrapper.
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/MockDevices.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Reported {
    std::string state;
    std::string reasons;
    std::string message;
    std::string words;
};

Reported Copy(const OutPortPrinterState& printer) {
    return {printer.state, printer.reasons, printer.message, printer.words};
}

Reported Listed(const std::string& node) {
    OutPortDeviceList* list = OutPortListDevices();
    Reported found;
    for (int i = 0; i < OutPortDeviceCount(list); ++i) {
        if (OutPortDeviceAt(list, i)->node == node) {
            found = Copy(OutPortDeviceAt(list, i)->printer);
        }
    }
    OutPortFreeDevices(list);
    return found;
}

Reported Described(const std::string& uri) {
    OutPortTarget* target = OutPortDescribeUri(uri.c_str());
    Reported found = Copy(target->printer);
    OutPortFreeTarget(target);
    return found;
}

class PrinterStatusTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MockDevices::Active()) << "run this test under umockdev-wrapper";
        m_devices.AddUsbDevice("1-1", "Acme", "LP-2824", "12345");
        m_devices.AddUsbPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;SN:12345;");
        m_devices.Add("P: /devices/platform/parport_pc/parport0/printer/lp0\nN: lp0\n"
                      "E: SUBSYSTEM=printer\nE: DEVNAME=/dev/lp0\nA: dev=6:0\n");
    }

    MockDevices m_devices;
    ScopedEnvironment m_environment;
};

TEST_F(PrinterStatusTest, ListingAndDescriptionSayWhatThePrinterReports) {
    const struct {
        int status;
        Reported expected;
    } cases[] = {
        {0x18, {"idle", "", "", "ready"}},
        {0x38, {"stopped", "media-empty-error", "", "stopped: out of paper"}},
        {0x08, {"stopped", "offline-report", "", "stopped: off line"}},
        {0x10, {"stopped", "other-error", "", "stopped: the printer reports an error"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        m_devices.AnswerPortStatus("/dev/usb/lp0", c.status);
        m_devices.AnswerPortStatus("/dev/lp0", c.status);
        for (const Reported& reported :
             {Listed("/dev/usb/lp0"), Listed("/dev/lp0"),
              Described("usb://Acme/LP-2824?serial=12345"), Described("/dev/usb/lp0"),
              Described("parallel:/dev/lp0")}) {
            EXPECT_EQ(reported.state, c.expected.state);
            EXPECT_EQ(reported.reasons, c.expected.reasons);
            EXPECT_EQ(reported.message, c.expected.message);
            EXPECT_EQ(reported.words, c.expected.words);
        }
    }
}

// A driver that does not answer, like a serial adapter's, leaves the state unknown.
TEST_F(PrinterStatusTest, PrinterThatDoesNotAnswerIsUnknown) {
    m_devices.AddSerialAdapter("ttyUSB0", "1-1");
    for (const Reported& reported : {Listed("/dev/usb/lp0"), Listed("/dev/ttyUSB0")}) {
        EXPECT_EQ(reported.state, "unknown");
        EXPECT_EQ(reported.words, "status not reported by this connection");
    }
}

// The reason of a failed or stalled send ends with what the printer says is wrong.
TEST_F(PrinterStatusTest, FailedSendSaysWhatThePrinterReports) {
    m_environment.Set("OUTPORT_TIMEOUT_MS", "300");
    const struct {
        const char* uri;
        int status;
        int writeError;
        const char* reason;
    } cases[] = {
        {"usb://Acme/LP-2824?serial=12345", 0x38, ENOSPC,
         "usb://Acme/LP-2824?serial=12345: out of paper or labels; the printer is out of paper"},
        {"/dev/usb/lp0", 0x08, EAGAIN,
         "/dev/usb/lp0: timed out after 300 ms \u2014 the printer may be stalled or offline; the "
         "printer is off line"},
        {"parallel:/dev/lp0", 0x38, ENOSPC,
         "/dev/lp0: out of paper or labels; the printer is out of paper"},
        {"/dev/usb/lp0", 0x18, EIO,
         "/dev/usb/lp0: not connected \u2014 the printer is unplugged or switched off"},
    };
    Bytes block = TrickyBlock();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        m_devices.AnswerPortStatus("/dev/usb/lp0", c.status, c.writeError);
        m_devices.AnswerPortStatus("/dev/lp0", c.status, c.writeError);
        EXPECT_EQ(OutPortToUri(c.uri, static_cast<int>(block.size()), block.data()), 0);
        EXPECT_EQ(std::string(OutPortLastError()), c.reason);
    }
}

} // namespace
