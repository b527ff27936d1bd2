#include "ui/setup/PortSummary.h"

#include "ui/ports/DeviceQueries.h"

QString SummarizePort(int port, OutPortCancel* cancel) {
    const PortAssignment assignment = LookUpPortAssignment(port);
    if (!assignment.error.isEmpty()) {
        return assignment.error;
    }
    const TargetState target = DescribeTarget(assignment.uri, cancel);
    const QString where = target.device.isEmpty() ? assignment.uri : target.device;
    const QString dash = QStringLiteral(" \u2014 ");
    if (!target.valid || !target.present || target.description.isEmpty()) {
        return where + dash + target.status;
    }
    if (!target.usable) {
        return where + dash + target.description + QStringLiteral(", ") + target.status;
    }
    return where + dash + target.description;
}
