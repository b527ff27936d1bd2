#pragma once

#include "printer/outport/status/PortStatus.h"

#include <chrono>
#include <string>

// What kind of device failed, which decides how an errno is explained (the group to join,
// what ENOSPC means).
enum class DeviceClass { Serial, Printer, File, Network };

// A sentence fragment for a failed system call, e.g. "busy — another program is using it".
std::string DescribeFailure(int error, DeviceClass device, std::chrono::milliseconds timeout);

// The status with a failed system call's errno put in words for `device`; any other status as
// it is.
PortStatus Explained(const PortStatus& status, DeviceClass device,
                     std::chrono::milliseconds timeout);
