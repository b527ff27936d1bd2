#pragma once

#include "printer/outport/OutPortDevices.h"

#include <QJsonObject>
#include <QString>

// What `ports` says of a printer on the network beyond what every device has: where it
// resolved to, its service, and why it cannot be used.

// Lines of text (each starting with the device lines' indent, ending with a line break), made
// safe for a terminal.
QString NetworkPrinterLines(const OutPortDevice& device);

// The JSON keys "host", "address", "port", "service_type", "resource" and "problem".
void AddNetworkPrinterKeys(QJsonObject& object, const OutPortDevice& device);
