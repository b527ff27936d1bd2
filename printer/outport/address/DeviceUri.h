#pragma once

#include "printer/outport/address/NetworkServiceUri.h"
#include "printer/outport/address/PrinterIdentity.h"
#include "printer/outport/status/PortStatus.h"

#include <string>
#include <string_view>

// How a serial line is framed and paced.
struct SerialOptions {
    enum class Parity { None, Even, Odd };
    enum class Flow { None, Soft, Hard }; // Soft: XON/XOFF without IXANY; Hard: RTS/CTS

    int baud = 9600;
    int bits = 8;
    Parity parity = Parity::None;
    int stopBits = 1;
    Flow flow = Flow::None;
};

// Where a port's bytes go, as parsed from a device URI.
struct PortTarget {
    enum class Kind {
        Serial,         // serial:/dev/ttyUSB0?baud=19200+...
        Parallel,       // parallel:/dev/lp0
        Path,           // a bare path: a terminal is a serial line, else written as it is
        Capture,        // file:/path, appended to and created if missing
        Socket,         // socket://host[:port]
        UsbPrinter,     // usb://make/model?serial=...; the node is found at each send
        CupsQueue,      // cups:QUEUE, on the user's CUPS server
        IppPrinter,     // ipp://host[:port]/printers/QUEUE or ipps://; a print server's queue
        NetworkService, // dnssd://INSTANCE._pdl-datastream._tcp.local/; resolved at each send
    };

    Kind kind = Kind::Path;
    std::string path; // every kind but Socket and CupsQueue; UsbPrinter only once found;
                      // IppPrinter: the queue's path on the server, as written
    std::string host; // Socket, IppPrinter
    int tcpPort = 9100;
    std::string queue;      // CupsQueue, IppPrinter: the queue's name
    bool encrypted = false; // IppPrinter: ipps://
    SerialOptions serial;
    PrinterIdentity printer;    // UsbPrinter
    NetworkServiceName service; // NetworkService

    // What the port is called in messages: the path, host:port, the usb:// name, cups:QUEUE, the
    // ipp:// or the dnssd:// URI.
    std::string Display() const;
};

// Parses a device URI in the form print spoolers use into `target`, or says why it is none.
// User names and passwords are refused, and never repeated in the reason.
PortStatus ParseDeviceUri(std::string_view text, PortTarget& target);

// The URI as a message may show it: a socket://, ipp:// or ipps:// URI without the
// "user:password@" before its host; any other text as it is.
std::string WithoutCredentials(std::string_view uri);
