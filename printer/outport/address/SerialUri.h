#pragma once

#include "printer/outport/address/DeviceUri.h"

#include <string>
#include <string_view>

// The serial: URI of the line at `path` with `options`. Options that are all the library's
// defaults are left out; any other choice writes all five, so the line reads the same
// whatever the defaults become.
std::string SerialUri(std::string_view path, const SerialOptions& options);
