#pragma once

#include "ui/ports/DeviceQueries.h"

#include <QIcon>
#include <QString>

// How a printer's report looks at a glance: ready, something to look at, something to fix, or
// nothing to show because the connection (a serial line, a raw network port) reports nothing.
enum class PrinterHealth { Ready, Warning, Error, Unreported };

// Error when the printer is stopped or gives an error reason; Ready when it is idle or printing
// with nothing to report; Unreported when the connection tells nothing; Warning for the rest, a
// device that could report but could not be asked among them.
PrinterHealth HealthOf(const PrinterReport& printer);

// The desktop theme's icon for it, or the style's own where the theme has none; none for
// Unreported, which is no trouble.
QIcon HealthIcon(PrinterHealth health);

// "ready", "warning", "error": what the icon says to someone who cannot see it.
QString HealthName(PrinterHealth health);
