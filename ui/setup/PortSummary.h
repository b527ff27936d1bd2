#pragma once

#include <QString>

// Which device port 0..3 means now and whether it is there, for the port's radio button:
// "/dev/ttyS0 — not connected", or for a device that is there a second line with what its
// printer reports: "/dev/usb/lp0 — Acme LP-2824\nprinter: stopped: out of paper".
QString SummarizePort(int port);
