#pragma once

#include <QStringList>

// `trovanel ports [--json]` lists the ports and devices (see PortsListing.h).
// `trovanel ports set PORT URI`: checks the URI and keeps it as that port's line in outport.conf.
// `arguments` are the program's name and the command's own. Returns the exit status.
int RunPorts(const QStringList& arguments);
