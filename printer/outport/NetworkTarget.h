#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/dnssd/NetworkPrinter.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"

// Turns a dnssd:// target into the target it stands for now: a raw printer into socket://
// ADDRESS:PORT, an IPP printer into ipp://ADDRESS:PORT/RESOURCE (ipps:// for _ipps._tcp).
PortStatus ResolveNetworkTarget(const PortTarget& target, const Deadline& deadline,
                                PortTarget& resolved);

// The target a resolved printer is sent to, or why there is none.
PortStatus TargetOf(const NetworkPrinter& printer, PortTarget& target);
