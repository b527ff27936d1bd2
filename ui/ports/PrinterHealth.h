#pragma once

#include "ui/ports/DeviceQueries.h"

#include <QIcon>
#include <QString>

// How a printer's report looks at a glance: ready, something to look at, or something to fix.
enum class PrinterHealth { Ready, Warning, Error };

// Error when the printer is stopped or gives an error reason; Ready when it is idle or printing
// with nothing to report; Warning for the rest, a printer whose state is unknown among them.
PrinterHealth HealthOf(const PrinterReport& printer);

// The desktop theme's icon for it, or the style's own where the theme has none.
QIcon HealthIcon(PrinterHealth health);

// "ready", "warning", "error": what the icon says to someone who cannot see it.
QString HealthName(PrinterHealth health);
