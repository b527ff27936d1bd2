#pragma once

#include "printer/outport/OutPort.h"

// The descriptor behind a cancel token, for the call's Deadline; -1 for no token.
int CancelDescriptor(const OutPortCancel* cancel);
