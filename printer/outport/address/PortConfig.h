#pragma once

#include "printer/outport/status/PortStatus.h"

#include <chrono>
#include <string>

// Which device a port index means. First the environment (OUTPORT_COM1 ...), then a line
// "COM1=..." in $XDG_CONFIG_HOME/outport.conf (~/.config/outport.conf when unset), then the
// built-in default.
struct PortSetting {
    std::string name;   // COM1, COM2, LPT1, LPT2
    std::string value;  // a device URI
    std::string origin; // where the value came from, to name in messages
};

// Valid ports are 0..3. Fails with a reason naming the configuration file when it is
// malformed, cannot be read, is no regular file or is larger than 64 KiB; a missing file is
// no error. Never blocks.
PortStatus LookUpPort(int port, PortSetting& setting);

// The time-out of one whole output call: OUTPORT_TIMEOUT_MS, or 5 s.
PortStatus LookUpTimeout(std::chrono::milliseconds& timeout);
