#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// What the port library knows about devices and ports, copied into Qt strings.

// A device found on this machine.
struct DeviceEntry {
    QString node;        // "/dev/ttyUSB0"
    QString uri;         // the stable URI to keep for it
    QString description; // "FTDI FT232R USB UART"; may be empty
};

std::vector<DeviceEntry> ListDevices();

// Where a dialog gets its devices from: ListDevices, or what a test hands it.
using DeviceLister = std::function<std::vector<DeviceEntry>()>;

// What the printer behind a device reports about itself.
struct PrinterReport {
    QString state = QStringLiteral("unknown"); // "idle", "processing", "stopped", "unknown"
    QStringList reasons;                       // IPP keywords, such as "media-empty-error"
    QString words; // "ready", "stopped: out of paper", "status not reported by this connection"
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

TargetState DescribeTarget(const QString& uri);

// Which URI port 0..3 maps to and where that comes from.
struct PortAssignment {
    QString name;   // "COM1"
    QString uri;    // empty when the configuration cannot be read
    QString origin; // "OUTPORT_COM1", "/home/ann/.config/outport.conf line 3", "the default"
    bool fromEnvironment = false;
    QString error; // why the configuration file could not be used
};

PortAssignment LookUpPortAssignment(int port);
