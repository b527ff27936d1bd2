#pragma once

#include "printer/outport/OutPort.h"
#include "printer/outport/transport/Deadline.h"

// The descriptor behind a cancel token, for the call's Deadline; -1 for no token.
int CancelDescriptor(const OutPortCancel* cancel);
// A look-up's deadline: one time-out from now, or the one its listing's token shares.
Deadline LookUpDeadline(const OutPortCancel* cancel);
