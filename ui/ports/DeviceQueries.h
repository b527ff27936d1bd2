#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct OutPortCancel;

// What the port library knows about devices and ports, copied into Qt strings.

// A device found on this machine, or a print queue of the user's CUPS server.
struct DeviceEntry {
    QString node;        // "/dev/ttyUSB0"; a queue's URI, "cups:labels"
    QString uri;         // the stable URI to keep for it
    QString description; // "FTDI FT232R USB UART"; may be empty
    QString state;       // what the printer reports, in words: "ready", "stopped: paused"
    QString problem{};   // a network printer's reason it cannot be used; empty when it can

    bool operator==(const DeviceEntry&) const = default;
};

std::vector<DeviceEntry> ListDevices();

// The print queues, or why they could not be listed. Waits on the print server: for a worker
// thread, which `cancel` can stop.
struct QueueListing {
    std::vector<DeviceEntry> queues;
    QString problem;
};

QueueListing ListQueues(OutPortCancel* cancel);

// The printers announced on the local network (dnssd:// URIs), the unusable ones with their
// problem, or why none could be looked for. Gathers for a second or two: for a worker thread,
// which `cancel` can stop.
struct NetworkPrinterListing {
    std::vector<DeviceEntry> printers;
    QString problem;
};

NetworkPrinterListing ListNetworkPrinters(OutPortCancel* cancel);

// Where a dialog gets its devices from: ListDevices, or what a test hands it.
using DeviceLister = std::function<std::vector<DeviceEntry>()>;

// What the printer behind a device reports about itself.
struct PrinterReport {
    QString state = QStringLiteral("unknown"); // "idle", "processing", "stopped", "unknown"
    QStringList reasons;                       // IPP keywords, such as "media-empty-error"
    QString words;     // "ready", "stopped: out of paper", "status not reported by this connection"
    QString message{}; // the printer's own words, or why a device that could report was not asked
};

// What a device URI reaches now.
struct TargetState {
    bool valid = false;   // the URI parses; else `status` says why not
    bool present = false; // the device is there
    bool usable = false;  // present and this user may open it for writing
    QString device;       // the node, address or file it reaches; empty when not connected
    QString description;
    QString status; // "ready", "no access — join the 'dialout' group", "not connected", ...
    QString fix;    // the command that gives access, when access is what is missing
    PrinterReport printer;
};

// For a print queue this asks its server: off the window's thread, then, which `cancel` can stop.
TargetState DescribeTarget(const QString& uri, OutPortCancel* cancel = nullptr);

// Whether the URI names a print queue (cups:, ipp://, ipps://), which only its server can
// describe.
bool IsPrintQueueUri(const QString& uri);

// Whether the URI names a printer on the network by its service (dnssd://).
bool IsNetworkServiceUri(const QString& uri);

// Why `uri` is no device URI; empty when it is one. Reaches nothing.
QString UriProblem(const QString& uri);

// Which URI port 0..3 maps to and where that comes from.
struct PortAssignment {
    QString name;   // "COM1"
    QString uri;    // empty when the configuration cannot be read
    QString origin; // "OUTPORT_COM1", "/home/ann/.config/outport.conf line 3", "the default"
    bool fromEnvironment = false;
    QString error; // why the configuration file could not be used
};

PortAssignment LookUpPortAssignment(int port);
