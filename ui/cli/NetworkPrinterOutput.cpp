#include "ui/cli/NetworkPrinterOutput.h"

#include "ui/cli/terminal/Console.h"

#include <QCoreApplication>

namespace {

QString Shown(const char* text) {
    return TerminalSafe(QString::fromUtf8(text));
}

} // namespace

QString NetworkPrinterLines(const OutPortDevice& device) {
    QString service = Shown(device.serviceType);
    if (*device.resource != '\0') {
        service = QCoreApplication::translate("CommandLine", "%1, resource %2")
                      .arg(service, Shown(device.resource));
    }
    QString text;
    if (*device.address != '\0') {
        text = QCoreApplication::translate("CommandLine", "        at %1, %2 port %3 (%4)\n")
                   .arg(Shown(device.host), Shown(device.address))
                   .arg(device.tcpPort)
                   .arg(service);
    } else {
        text = QStringLiteral("        (%1)\n").arg(service);
    }
    if (*device.problem != '\0') {
        text += QCoreApplication::translate("CommandLine", "        cannot be used: %1\n")
                    .arg(Shown(device.problem));
    }
    return text;
}

void AddNetworkPrinterKeys(QJsonObject& object, const OutPortDevice& device) {
    object.insert(QStringLiteral("host"), QString::fromUtf8(device.host));
    object.insert(QStringLiteral("address"), QString::fromUtf8(device.address));
    object.insert(QStringLiteral("port"), device.tcpPort);
    object.insert(QStringLiteral("service_type"), QString::fromUtf8(device.serviceType));
    object.insert(QStringLiteral("resource"), QString::fromUtf8(device.resource));
    object.insert(QStringLiteral("problem"), QString::fromUtf8(device.problem));
}
