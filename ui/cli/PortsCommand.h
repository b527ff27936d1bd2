#pragma once

#include <QStringList>

// `trovanel ports [--json]`: what each of the four ports maps to and whether it can be used,
// then the devices found on this machine. `trovanel ports set PORT URI`: checks the URI and
// keeps it as that port's line in outport.conf. `arguments` are the program's name and the
// command's own. Returns the exit status.
int RunPorts(const QStringList& arguments);
