#pragma once

// What the print-queue module (trovanel-cups.so, loaded on demand) gives the rest of the port
// library: one table of functions. Only the library's own types cross, never libcups's, so that
// nothing of libcups is mapped before a queue is used.
#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/status/PrinterState.h"
#include "printer/outport/transport/Deadline.h"

#include <cstddef>
#include <string>
#include <vector>

// A queue as the port library shows it.
struct QueueSummary {
    std::string name;
    std::string description; // the queue's info, else its make and model, else its name
    std::string fix;         // the commands that let it take jobs again; "" when it can
    bool usable = false;     // accepting jobs and not stopped
    bool isDefault = false;  // the server's default queue
    PrinterState state;
};

// The queues of the user's CUPS server, or why they could not be listed.
struct QueueSummaries {
    std::vector<QueueSummary> queues;
    std::string problem; // "" when the server answered
};

// What a cups: or ipp:// target is now: `status` fails when the queue cannot take a job (or
// cannot be reached); `queue` holds what the server said, when it knows the queue.
struct QueueLookUp {
    PortStatus status = PortStatus::Ok();
    bool found = false;
    QueueSummary queue;
    std::string server; // where the queue lives, for messages
};

struct PrintQueueModule {
    // Raised with every change to this file, so that a program never uses a module built from
    // other sources.
    static constexpr unsigned kVersion = 1;
    static constexpr const char* kFile = "trovanel-cups.so";
    static constexpr const char* kFeature = "print queue support";

    // Sends `data` as one raw job and waits until the queue has finished it (see QueueJob.h).
    PortStatus (*send)(const PortTarget& target, const unsigned char* data, std::size_t size,
                       const Deadline& deadline);
    // Checks, without printing anything, that the queue exists and takes jobs.
    PortStatus (*probe)(const PortTarget& target, const Deadline& deadline);
    QueueSummaries (*list)(const Deadline& deadline);
    QueueLookUp (*describe)(const PortTarget& target, const Deadline& deadline);
};
