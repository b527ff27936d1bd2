#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/dnssd/NetworkPrinter.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Reading back what is written is the fuzzer's to check (fuzz/fuzz_device_uri.cpp).
TEST(NetworkServiceUri, RefusesWhatNamesNoPrinterWithTheReason) {
    struct Case {
        const char* uri;
        const char* reason;
    };
    const std::string long64 = "dnssd://" + std::string(64, 'a') + "._ipp._tcp.local/";
    for (const Case& c : {
             Case{"dnssd://Label._http._tcp.local/",
                  "expected dnssd://NAME._pdl-datastream._tcp.local/, or _ipp._tcp or _ipps._tcp"},
             Case{"dnssd://._ipp._tcp.local/", "no printer is named before the service type"},
             Case{"dnssd://a%0Ab._ipp._tcp.local/", "the printer's name holds a control character"},
             Case{"dnssd://a%2._ipp._tcp.local/",
                  "a '%' must be followed by two hexadecimal digits"},
             Case{"dnssd://a._ipp._tcp./", "no valid domain after the service type"},
             Case{long64.c_str(), "a network printer's name has at most 63 bytes"},
         }) {
        PortTarget target;
        EXPECT_EQ(ParseDeviceUri(c.uri, target).reason(), c.reason) << c.uri;
    }
}

// What a resolved service says decides whether it can be used.
TEST(NetworkServiceUri, ResolvedPrintersSayWhyTheyCannotBeUsed) {
    struct Case {
        const char* type;
        const char* address;
        int port;
        bool linkLocal;
        const char* rp;
        const char* problem;
    };
    for (const Case& c : {
             Case{"_pdl-datastream._tcp", "169.254.77.1", 9100, false, "", ""},
             Case{"_pdl-datastream._tcp", "", 9100, false, "", "it resolves to no address"},
             Case{"_pdl-datastream._tcp", "fe80::1", 9100, true, "",
                  "it resolves only to the link-local IPv6 address fe80::1, which a device URI "
                  "cannot reach"},
             Case{"_pdl-datastream._tcp", "169.254.77.1", 0, false, "", "it announces port 0"},
             Case{"_ipp._tcp", "169.254.77.1", 631, false, "",
                  "it announces no IPP resource (TXT key rp)"},
             Case{"_ipp._tcp", "169.254.77.1", 631, false, "ipp/print", ""},
         }) {
        NetworkPrinter printer;
        printer.service = {"Label", c.type, "local"};
        KeepTxtValue(printer, "RP", c.rp);
        SetResolved(printer, "printer.local", c.address, static_cast<std::uint16_t>(c.port),
                    c.linkLocal);
        EXPECT_EQ(printer.problem, c.problem) << c.type << " " << c.address << ":" << c.port;
    }
}

} // namespace
