#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/cups/PrintServer.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/status/PrinterState.h"

#include <string>
#include <vector>

// A print queue as its server describes it.
struct PrintQueue {
    std::string name;
    std::string info;         // what the queue's owner called it; may be empty
    std::string makeAndModel; // the printer's make and model; may be empty
    bool accepting = false;   // takes new jobs
    bool isDefault = false;   // the server's default queue
    bool takesRaw = false;    // lists the raw format among the formats it takes
    PrinterState state;

    // The info, else the make and model, else the name.
    std::string Description() const;
    // Accepting jobs and not stopped.
    bool Usable() const;
    // The commands that let the queue take jobs again ("cupsaccept NAME, cupsenable NAME"); empty
    // when it can.
    std::string Fix() const;
};

// The server to reach and how a queue is named on it.
struct QueueAddress {
    PrintServerAddress server;
    std::string printerUri; // the queue's IPP URI, as requests name it
    std::string resource;   // the path requests are posted to
    std::string name;
};

// Where a cups: queue or an ipp:// printer is.
QueueAddress QueueAddressOf(const PortTarget& target);

// Reads the queue and says, as its owner would, why it cannot take a job now: missing, not
// accepting jobs, or stopped.
PortStatus CheckQueue(PrintServerConnection& server, const QueueAddress& address,
                      PrintQueue& queue);

// Reads the queue at `printerUri` (whose path on the server is `resource`). A queue the
// server does not know is an error whose IPP status is IPP_STATUS_ERROR_NOT_FOUND.
PortStatus LookUpQueue(PrintServerConnection& server, const std::string& printerUri,
                       const std::string& resource, PrintQueue& queue);

// Every queue of a CUPS server, the default one marked, in the server's order.
PortStatus ListQueues(PrintServerConnection& server, std::vector<PrintQueue>& queues);
