#pragma once

#include "ui/cli/terminal/Console.h"

// `trovanel ports [--json]`: what each of the four ports maps to and whether it can be used,
// then the devices, print queues and network printers found, as text or as one JSON object.
// `gatherMs` bounds the search for printers on the network; 0 for the library's own bound.
ExitStatus ListPorts(bool json, int gatherMs);
