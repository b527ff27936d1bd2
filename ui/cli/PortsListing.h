#pragma once

#include "ui/cli/Console.h"

// `trovanel ports [--json]`: what each of the four ports maps to and whether it can be used,
// then the devices and print queues found, as text or as one JSON object.
ExitStatus ListPorts(bool json);
