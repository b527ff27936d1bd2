#include "ui/ports/PrinterHealth.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStyle>
#include <algorithm>

PrinterHealth HealthOf(const PrinterReport& printer) {
    const bool error =
        printer.state == QLatin1String("stopped") ||
        std::any_of(printer.reasons.begin(), printer.reasons.end(),
                    [](const QString& reason) { return reason.endsWith(u"-error"); });
    if (error) {
        return PrinterHealth::Error;
    }
    if (printer.state == QLatin1String("unknown") && printer.reasons.isEmpty() &&
        printer.message.isEmpty()) {
        return PrinterHealth::Unreported;
    }
    const bool working =
        printer.state == QLatin1String("idle") || printer.state == QLatin1String("processing");
    return working && printer.reasons.isEmpty() ? PrinterHealth::Ready : PrinterHealth::Warning;
}

QIcon HealthIcon(PrinterHealth health) {
    QStyle* style = QApplication::style();
    switch (health) {
    case PrinterHealth::Ready:
        return QIcon::fromTheme(QStringLiteral("printer"),
                                style->standardIcon(QStyle::SP_MessageBoxInformation));
    case PrinterHealth::Warning:
        return QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                style->standardIcon(QStyle::SP_MessageBoxWarning));
    case PrinterHealth::Unreported:
        return {};
    case PrinterHealth::Error:
        break;
    }
    return QIcon::fromTheme(QStringLiteral("printer-error"),
                            style->standardIcon(QStyle::SP_MessageBoxCritical));
}

QString HealthName(PrinterHealth health) {
    switch (health) {
    case PrinterHealth::Ready:
        return QCoreApplication::translate("PrinterHealth", "ready");
    case PrinterHealth::Warning:
        return QCoreApplication::translate("PrinterHealth", "warning");
    case PrinterHealth::Unreported:
        return {};
    case PrinterHealth::Error:
        break;
    }
    return QCoreApplication::translate("PrinterHealth", "error");
}
