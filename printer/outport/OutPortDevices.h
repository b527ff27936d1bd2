#pragma once

// Finding the printer: the devices a printer can hang on, what each of the four ports means
// now, and a watch on plug and unplug. Beside OutPort and with C linkage like it; every string
// belongs to the object it came from and lives as long as that object.

#include "printer/outport/OutPort.h" // OutPortCancel

#ifdef __cplusplus
extern "C" {
#endif

typedef enum OutPortDeviceKind {
    OUTPORT_DEVICE_SERIAL = 0,      // USB-serial adapter, CDC-ACM modem line or a real UART
    OUTPORT_DEVICE_USB_PRINTER = 1, // USB printer class, /dev/usb/lp*
    OUTPORT_DEVICE_PARALLEL = 2,    // parallel port, /dev/lp*
    OUTPORT_DEVICE_CUPS_QUEUE = 3,  // a print queue of the user's CUPS server
    OUTPORT_DEVICE_NETWORK = 4,     // a printer announced on the local network (DNS-SD)
} OutPortDeviceKind;

// What a printer reports about itself, where its connection tells it.
typedef struct OutPortPrinterState {
    const char* state;   // "idle", "processing", "stopped", or "unknown" when the connection
                         // reports nothing (serial lines, sockets, files)
    const char* reasons; // IPP state-reason keywords separated by spaces, such as
                         // "media-empty-error offline-report"; "" when there are none
    const char* message; // the printer's or queue's own words, or why a device that could
                         // report was not asked ("busy — …"); "" when none
    const char* words;   // all of it for a person: "ready", "out of paper",
                         // "status not reported by this connection"
} OutPortPrinterState;

// One device found on this machine.
typedef struct OutPortDevice {
    OutPortDeviceKind kind;
    const char* node;            // "/dev/ttyUSB0", "/dev/usb/lp0", "/dev/lp0"; a queue's name;
                                 // a network printer's service instance
    const char* uri;             // the stable device URI to keep: "serial:/dev/serial/by-id/…",
                                 // "usb://Acme/LP-2824?serial=12345", "parallel:/dev/lp0",
                                 // "cups:labels", "dnssd://Acme._pdl-datastream._tcp.local/"
    const char* description;     // what a person recognises: "FTDI FT232R USB UART", "Acme LP-2824"
    int usable;                  // 1 when this user can open it for writing now; a queue: when
                                 // it accepts jobs and is not stopped
    const char* group;           // the group that owns the node ("dialout", "lp"); "" if none
    const char* fix;             // when not usable, what to do, e.g. "sudo adduser $USER dialout,
                                 // then log out and in again"; "" when usable
    OutPortPrinterState printer; // what the printer reports
    int isDefault;               // 1 for the print server's default queue
    // Network printers only ("" and 0 for the others):
    const char* host;        // the host name it resolved to: "printer-one.local"
    const char* address;     // the address it resolved to: "169.254.77.1"
    int tcpPort;             // the port it announces
    const char* serviceType; // "_pdl-datastream._tcp", "_ipp._tcp" or "_ipps._tcp"
    const char* resource;    // IPP: the resource from its TXT record ("/ipp/print")
    const char* problem;     // why it cannot be used ("it announces port 0"); "" when it can
} OutPortDevice;

typedef struct OutPortDeviceList OutPortDeviceList;

// Lists the serial lines, USB printers and parallel ports present now, serial lines first,
// each kind in node order. Never NULL: a machine without a device database gives an empty list.
OutPortDeviceList* OutPortListDevices(void);
int OutPortDeviceCount(const OutPortDeviceList* list);
const OutPortDevice* OutPortDeviceAt(const OutPortDeviceList* list, int index);
void OutPortFreeDevices(OutPortDeviceList* list);

// Lists the print queues of the user's CUPS server (found as every CUPS client finds it:
// CUPS_SERVER, client.conf, else the local scheduler), as devices of kind
// OUTPORT_DEVICE_CUPS_QUEUE with the URI "cups:NAME", in the server's order. It asks the server,
// within the time-out (OUTPORT_TIMEOUT_MS), so a window calls it off its own thread; `cancel`
// (NULL: none) stops it early, leaving the list empty. Never NULL.
OutPortDeviceList* OutPortListQueues(OutPortCancel* cancel);
// A cancel token (see OutPortCancelCreate) that also ends the look-ups given it
// (OutPortListQueues, OutPortDescribeUriCancellable) one time-out (OUTPORT_TIMEOUT_MS) after it
// was made, so that a whole listing (the ports described side by side, the print queues) ends
// within about one time-out. A send or probe given it keeps its own time-out. Free it with
// OutPortCancelDestroy; NULL when none can be made.
OutPortCancel* OutPortListingCancelCreate(void);
// Lists the printers announced on the local network (DNS-SD, through the Avahi daemon) as
// devices of kind OUTPORT_DEVICE_NETWORK with dnssd:// URIs, by service type and name. It gathers
// for `gatherMs` (1500 when 0 or less), less once nothing new comes, so a window calls it off
// its own thread; `cancel` (NULL: none) stops it early, leaving the list empty. Never NULL.
OutPortDeviceList* OutPortListNetworkPrinters(int gatherMs, OutPortCancel* cancel);
// Why the queues or network printers could not be listed ("no print server answers at
// localhost:631", "avahi-daemon is not running"); "" when they could, and for a list of
// OutPortListDevices.
const char* OutPortDeviceListProblem(const OutPortDeviceList* list);

// What a device URI means now, without sending anything: whether it parses, which node or
// address it reaches, and whether this user may use it. A print queue (cups:, ipp://, ipps://)
// is asked for its state, within the time-out, so a window calls this off its own thread for
// those.
typedef struct OutPortTarget {
    int valid;                   // 1 when the URI parses; else `status` is the parse error
    const char* device;          // what it reaches now: "/dev/usb/lp1", "192.0.2.15:9100",
                                 // "/tmp/capture.bin", "labels on localhost:631"; "" when a
                                 // usb:// printer is not connected
    const char* description;     // the discovered device's description, "" when none is known
    int present;                 // 1 when the device is there (network targets and capture files
                                 // count as present; nothing is connected to find out); a
                                 // print queue: when its server knows it
    int usable;                  // 1 when present and this user may open it for writing
    const char* status;          // "ready", "no access — join the 'dialout' group",
                                 // "not connected", or why the URI is not a device
    const char* fix;             // the command that gives access when that is what is missing
    OutPortPrinterState printer; // what the printer reports; "unknown" when not valid
} OutPortTarget;

OutPortTarget* OutPortDescribeUri(const char* uri);
// OutPortDescribeUri that `cancel` (NULL: none) can stop while it waits on a print server.
OutPortTarget* OutPortDescribeUriCancellable(const char* uri, OutPortCancel* cancel);
void OutPortFreeTarget(OutPortTarget* target);

// Which device URI port 0..3 (COM1, COM2, LPT1, LPT2) maps to and where that comes from.
typedef struct OutPortPortSetting {
    const char* name;    // "COM1"
    const char* uri;     // the device URI; "" when the configuration cannot be read
    const char* origin;  // "OUTPORT_COM1", "/home/ann/.config/outport.conf line 3",
                         // "the default"
    int fromEnvironment; // 1 when an OUTPORT_* variable sets it
    const char* error;   // why the configuration file could not be used; "" when fine
} OutPortPortSetting;

// NULL for a port outside 0..3.
OutPortPortSetting* OutPortLookUpPort(int port);
void OutPortFreePortSetting(OutPortPortSetting* setting);

// Opens the device a URI names and closes it again without sending anything, within the
// time-out. 1 when it could be opened (a network printer: connected); else 0 and
// OutPortLastError says why.
int OutPortProbe(const char* uri);

// Like OutPort, but to any device URI instead of a port: for a one-off send.
int OutPortToUri(const char* uri, int length, const unsigned char* data);
// OutPortToUri that can be cancelled through `cancel` (NULL: cannot be), as OutPortCancellable.
int OutPortToUriCancellable(const char* uri, int length, const unsigned char* data,
                            OutPortCancel* cancel);

// A watch on devices coming and going. The descriptor becomes readable when something
// changed; OutPortMonitorRead then consumes the pending events and returns 1 if any concerned
// a serial line, a USB printer or a parallel port, else 0. NULL when no monitor can be made.
typedef struct OutPortMonitor OutPortMonitor;
OutPortMonitor* OutPortMonitorOpen(void);
int OutPortMonitorFd(const OutPortMonitor* monitor);
int OutPortMonitorRead(OutPortMonitor* monitor);
void OutPortMonitorClose(OutPortMonitor* monitor);

#ifdef __cplusplus
}
#endif
