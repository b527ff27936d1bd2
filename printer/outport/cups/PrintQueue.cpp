#include "printer/outport/cups/PrintQueue.h"

#include "printer/outport/cups/IppAnswers.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<const char*, 8> kQueueAttributes{"printer-name",
                                                      "printer-info",
                                                      "printer-make-and-model",
                                                      "printer-state",
                                                      "printer-state-reasons",
                                                      "printer-state-message",
                                                      "printer-is-accepting-jobs",
                                                      "document-format-supported"};

ipp_t* QueueRequest(ipp_op_t operation) {
    ipp_t* request = ippNewRequest(operation);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(kQueueAttributes.size()), nullptr, kQueueAttributes.data());
    return request;
}

std::string Quoted(const std::string& name) {
    return "'" + name + "'";
}

} // namespace

QueueAddress QueueAddressOf(const PortTarget& target) {
    QueueAddress address;
    address.name = target.queue;
    if (target.kind == PortTarget::Kind::IppPrinter) {
        address.server = {target.host, target.tcpPort,
                          target.encrypted ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED};
        address.printerUri = target.Display();
        address.resource = target.path;
        return address;
    }
    address.server = UsersPrintServer();
    address.resource = "/printers/" + target.queue;
    std::array<char, HTTP_MAX_URI> uri{};
    httpAssembleURI(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp", nullptr,
                    "localhost", address.server.port, address.resource.c_str());
    address.printerUri = uri.data();
    return address;
}

PortStatus CheckQueue(PrintServerConnection& server, const QueueAddress& address,
                      PrintQueue& queue) {
    queue.name = address.name;
    if (PortStatus status = LookUpQueue(server, address.printerUri, address.resource, queue);
        !status.ok()) {
        if (server.IppStatus() == IPP_STATUS_ERROR_NOT_FOUND) {
            return PortStatus::Failed("no print queue " + Quoted(address.name) + " on " +
                                      address.server.Display());
        }
        return status;
    }
    if (!queue.accepting) {
        return PortStatus::Failed("the queue " + Quoted(address.name) + " does not accept jobs" +
                                  (queue.state.message.empty() ? "" : ": " + queue.state.message));
    }
    if (queue.state.state == PrinterState::State::Stopped) {
        return PortStatus::Failed("the queue " + Quoted(address.name) + " is " +
                                  DescribePrinterState(queue.state));
    }
    return PortStatus::Ok();
}

std::string PrintQueue::Description() const {
    if (!info.empty()) {
        return info;
    }
    return makeAndModel.empty() ? name : makeAndModel;
}

bool PrintQueue::Usable() const {
    return accepting && state.state != PrinterState::State::Stopped;
}

std::string PrintQueue::Fix() const {
    std::string fix;
    if (!accepting) {
        fix = "cupsaccept " + name;
    }
    if (state.state == PrinterState::State::Stopped) {
        fix += (fix.empty() ? "" : ", ") + std::string("cupsenable ") + name;
    }
    return fix;
}

PortStatus LookUpQueue(PrintServerConnection& server, const std::string& printerUri,
                       const std::string& resource, PrintQueue& queue) {
    ipp_t* request = QueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri.c_str());
    IppResponse response;
    if (PortStatus status = server.Exchange(request, resource, response); !status.ok()) {
        return status;
    }
    const std::string name = queue.name;
    ReadQueueAnswer(response.get(), queue);
    if (queue.name.empty()) {
        queue.name = name; // an IPP printer that is not a CUPS queue has no printer-name
    }
    return PortStatus::Ok();
}

PortStatus ListQueues(PrintServerConnection& server, std::vector<PrintQueue>& queues) {
    queues.clear();
    IppResponse response;
    PortStatus status = server.Exchange(QueueRequest(IPP_OP_CUPS_GET_PRINTERS), "/", response);
    if (!status.ok()) {
        // A server without queues answers "not found".
        return server.IppStatus() == IPP_STATUS_ERROR_NOT_FOUND ? PortStatus::Ok() : status;
    }
    queues = ReadQueueListAnswer(response.get());
    IppResponse answer;
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
    const char* name = "printer-name";
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr,
                  &name);
    if (server.Exchange(request, "/", answer).ok()) {
        const std::string defaultName = ReadDefaultQueueAnswer(answer.get());
        for (PrintQueue& queue : queues) {
            queue.isDefault = !defaultName.empty() && queue.name == defaultName;
        }
    }
    return PortStatus::Ok();
}
