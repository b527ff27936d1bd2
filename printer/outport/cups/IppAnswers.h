#pragma once

#include "printer/outport/cups/PrintQueue.h"
#include "printer/outport/cups/PrintServer.h"

#include <cups/ipp.h>
#include <string>
#include <vector>

// What a print server's IPP answers say, read from the answer alone. Any server on the network
// can send anything: every attribute read is checked for its value tag and count first, and one
// of another type counts as absent.

// One IPP message read from `bytes`; empty when they hold none.
IppResponse ParseIppMessage(const std::string& bytes);

// A Get-Printer-Attributes answer into `queue`, which keeps what the answer does not say.
void ReadQueueAnswer(ipp_t* answer, PrintQueue& queue);
// The queues of a CUPS-Get-Printers answer that give their name, in the answer's order.
std::vector<PrintQueue> ReadQueueListAnswer(ipp_t* answer);
// The queue a CUPS-Get-Default answer names; "" when none.
std::string ReadDefaultQueueAnswer(ipp_t* answer);

// The job a Create-Job answer made; 0 when it names none.
int ReadJobIdAnswer(ipp_t* answer);

struct JobState {
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    std::string reasons; // "job-printing, media-empty" without "none"
};
// A Get-Job-Attributes answer; a job whose state is not given counts as pending.
JobState ReadJobAnswer(ipp_t* answer);

// The answer's own words for its status; "" when it gives none.
std::string StatusMessageOf(ipp_t* answer);
