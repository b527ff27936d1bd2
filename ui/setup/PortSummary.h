#pragma once

#include <QString>

struct OutPortCancel;

// One line saying which device port 0..3 means now and whether it is there, for the port's
// radio button: "/dev/ttyUSB0 — FTDI FT232R USB UART", "/dev/ttyS0 — not connected".
// A port on a print queue asks its server, so this runs off the window's thread, and `cancel`
// can stop it.
QString SummarizePort(int port, OutPortCancel* cancel = nullptr);
