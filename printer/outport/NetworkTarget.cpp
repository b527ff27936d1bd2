#include "printer/outport/NetworkTarget.h"

#include "printer/outport/NetworkServiceCalls.h"
#include "printer/outport/address/PrintQueueUri.h"

PortStatus TargetOf(const NetworkPrinter& printer, PortTarget& target) {
    target = PortTarget();
    if (!printer.problem.empty()) {
        return PortStatus::Failed(printer.problem);
    }
    target.host = printer.address;
    target.tcpPort = printer.tcpPort;
    if (printer.service.Raw()) {
        target.kind = PortTarget::Kind::Socket;
        return PortStatus::Ok();
    }
    target.kind = PortTarget::Kind::IppPrinter;
    target.encrypted = printer.service.type == kIppsPrinterService;
    target.path = printer.resource;
    return ParseIppPath(target.path, target.queue);
}

PortStatus ResolveNetworkTarget(const PortTarget& target, const Deadline& deadline,
                                PortTarget& resolved) {
    NetworkPrinter printer;
    if (PortStatus found = ResolveNetworkService(target.service, deadline, printer); !found.ok()) {
        return found;
    }
    return TargetOf(printer, resolved);
}
