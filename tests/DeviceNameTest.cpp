// The names a printer is known by: its IEEE 1284 identity and the usb:// URI made from it.
#include "printer/outport/address/PrinterIdentity.h"
#include "printer/outport/address/UsbPrinterUri.h"

#include <gtest/gtest.h>
#include <string>

namespace {

PrinterIdentity Printer(const std::string& make, const std::string& model,
                        const std::string& serial = "") {
    PrinterIdentity printer;
    printer.make = make;
    printer.model = model;
    printer.serial = serial;
    return printer;
}

TEST(DeviceNameTest, Ieee1284IdIsReadWithLongOrShortKeys) {
    const PrinterIdentity shortKeys = ParseIeee1284Id("MFG:Acme;CMD:ZPL,EPL;MDL:LP-2824;SN:12345;");
    EXPECT_EQ(shortKeys.make, "Acme");
    EXPECT_EQ(shortKeys.model, "LP-2824");
    EXPECT_EQ(shortKeys.serial, "12345");

    const PrinterIdentity longKeys =
        ParseIeee1284Id("MANUFACTURER: Acme Inc ;COMMAND SET:ZPL;MODEL:LP 2824 Plus;CLS:PRINTER");
    EXPECT_EQ(longKeys.make, "Acme Inc");
    EXPECT_EQ(longKeys.model, "LP 2824 Plus");
    EXPECT_EQ(longKeys.serial, "");

    EXPECT_EQ(ParseIeee1284Id("").make, "");
    EXPECT_EQ(ParseIeee1284Id("garbage;;:;MDL:X").model, "X");
}

TEST(DeviceNameTest, DescriptionDoesNotRepeatTheMake) {
    EXPECT_EQ(Printer("Acme", "LP-2824").Description(), "Acme LP-2824");
    EXPECT_EQ(Printer("Acme", "ACME LP-2824").Description(), "ACME LP-2824");
    EXPECT_EQ(Printer("Acme", "Acmeprint 5").Description(), "Acme Acmeprint 5");
    EXPECT_EQ(Printer("", "LP-2824").Description(), "LP-2824");
}

TEST(DeviceNameTest, WantedPrinterMatchesMakeAndModelInAnyCaseAndTheSerialExactly) {
    const PrinterIdentity found = Printer("Acme", "LP-2824", "Ab12");
    EXPECT_TRUE(IsWantedPrinter(Printer("ACME", "lp-2824"), found));
    EXPECT_TRUE(IsWantedPrinter(Printer("acme", "LP-2824", "Ab12"), found));
    EXPECT_FALSE(IsWantedPrinter(Printer("Acme", "LP-2824", "AB12"), found));
    EXPECT_FALSE(IsWantedPrinter(Printer("Acme", "LP-2844"), found));
    EXPECT_FALSE(IsWantedPrinter(Printer("Acme", "LP-2824", "Ab12"), Printer("Acme", "LP-2824")));
}

TEST(DeviceNameTest, UsbNameIsPercentEncodedAndReadsBackAsTheSamePrinter) {
    const PrinterIdentity printer = Printer("Acme Inc.", "LP 2824/B", "12&34?");
    const std::string uri = MakeUsbPrinterUri(printer);
    EXPECT_EQ(uri, "usb://Acme%20Inc./LP%202824%2FB?serial=12%2634%3F");

    PrinterIdentity read;
    ASSERT_TRUE(ParseUsbPrinterUri(uri.substr(6), read).ok());
    EXPECT_EQ(read.make, printer.make);
    EXPECT_EQ(read.model, printer.model);
    EXPECT_EQ(read.serial, printer.serial);

    EXPECT_EQ(MakeUsbPrinterUri(Printer("Acme", "LP-2824")), "usb://Acme/LP-2824");
    // Print spoolers add the interface number; it changes nothing here.
    ASSERT_TRUE(ParseUsbPrinterUri("acme/lp%2d2824?interface=1&serial=9", read).ok());
    EXPECT_EQ(read.model, "lp-2824");
    EXPECT_EQ(read.serial, "9");
}

TEST(DeviceNameTest, MalformedUsbNamesAreRefusedWithAReason) {
    for (const char* text : {"Acme", "/LP-2824", "Acme/", "Acme/LP%2", "Acme/LP%zz", "Acme/LP%00",
                             "Acme/LP?colour=red", "Acme/LP?serial=", "Acme%/LP"}) {
        PrinterIdentity read;
        EXPECT_FALSE(ParseUsbPrinterUri(text, read).ok()) << text;
    }
}

} // namespace
