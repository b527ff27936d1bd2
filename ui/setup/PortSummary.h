#pragma once

#include <QString>

struct OutPortCancel;

// Which device port 0..3 means now and whether it is there, for the port's radio button:
// "/dev/ttyS0 — not connected", or for a device that is there a second line with what its
// printer reports: "/dev/usb/lp0 — Acme LP-2824\nprinter: stopped: out of paper".
// A port on a print queue asks its server, so this runs off the window's thread, and `cancel`
// can stop it.
QString SummarizePort(int port, OutPortCancel* cancel = nullptr);
