#pragma once

#include "printer/outport/status/PortStatus.h"

#include <string>
#include <string_view>

// The parts of cups:QUEUE and ipp://HOST[:PORT]/printers/QUEUE URIs that name the queue.

// cups:QUEUE for a queue's name, encoded so that it reads back as the same name.
std::string CupsQueueUri(std::string_view queue);

// Decodes the text after "cups:" into a queue name, or says why it is none.
PortStatus ParseQueueName(std::string_view text, std::string& queue);

// Checks the path of an ipp:// or ipps:// URI and gives the queue's name: its last part.
PortStatus ParseIppPath(std::string_view path, std::string& queue);
