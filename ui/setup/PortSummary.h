#pragma once

#include <QString>

// One line saying which device port 0..3 means now and whether it is there, for the port's
// radio button: "/dev/ttyUSB0 — FTDI FT232R USB UART", "/dev/ttyS0 — not connected".
QString SummarizePort(int port);
