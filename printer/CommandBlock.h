#pragma once

#include "printer/outport/OutPort.h"
#include "settings/PrinterSettings.h"

#include <cstddef>

// The printer's configuration block: five command lines (length, gap, print mode, tear-off
// position, cut position), 38 bytes, built at the start of the caller's command buffer.
inline constexpr int kCommandBlockSize = 38;
inline constexpr std::size_t kCommandBufferSize = 100;

// Writes the block into the first 38 bytes of `command` (a buffer of kCommandBufferSize bytes;
// the rest is left as it was) and returns its length. Values are not checked.
int BuildCommand(const CPrinterSettings& settings, unsigned char* command);

// Builds the block and hands it to OutPort on the record's port, once; with a cancel token, to
// OutPortCancellable, so that another thread or a signal can stop it. True when it was sent.
bool SendToPrinter(const CPrinterSettings& settings, unsigned char* command,
                   OutPortCancel* cancel = nullptr);
