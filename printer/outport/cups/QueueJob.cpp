#include "printer/outport/cups/QueueJob.h"

#include "printer/outport/cups/IppAnswers.h"
#include "printer/outport/cups/PrintQueue.h"
#include "printer/outport/cups/PrintServer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cups/cups.h>
#include <string>

namespace {

constexpr const char* kJobName = "Trovanel printer setup";
// Cancelling after the time-out or a cancel request needs a little time of its own.
constexpr std::chrono::milliseconds kCancelBudget{2000};
// Polling starts fast, as a small raw job is usually done at once, and slows down.
constexpr int kFirstPollMs = 10;
constexpr int kLongestPollMs = 200;

ipp_t* JobRequest(ipp_op_t operation, const QueueAddress& address, int jobId) {
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 address.printerUri.c_str());
    if (jobId > 0) {
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    }
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

PortStatus CreateJob(PrintServerConnection& server, const QueueAddress& address, int& jobId) {
    ipp_t* request = JobRequest(IPP_OP_CREATE_JOB, address, 0);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, kJobName);
    IppResponse response;
    if (PortStatus status = server.Exchange(request, address.resource, response); !status.ok()) {
        return status;
    }
    jobId = ReadJobIdAnswer(response.get());
    return jobId > 0 ? PortStatus::Ok()
                     : PortStatus::Failed("the print server made no job and gave no reason");
}

PortStatus SendDocument(PrintServerConnection& server, const QueueAddress& address, int jobId,
                        bool raw, const unsigned char* data, std::size_t size) {
    ipp_t* request = JobRequest(IPP_OP_SEND_DOCUMENT, address, jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                 raw ? "application/vnd.cups-raw" : "application/octet-stream");
    ippAddBoolean(request, IPP_TAG_OPERATION, "last-document", 1);
    IppResponse response;
    return server.Exchange(request, address.resource, response, data, size);
}

PortStatus LookUpJob(PrintServerConnection& server, const QueueAddress& address, int jobId,
                     JobState& job) {
    ipp_t* request = JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, address, jobId);
    static constexpr std::array<const char*, 2> kAttributes{"job-state", "job-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(kAttributes.size()), nullptr, kAttributes.data());
    IppResponse response;
    if (PortStatus status = server.Exchange(request, address.resource, response); !status.ok()) {
        return status;
    }
    job = ReadJobAnswer(response.get());
    return PortStatus::Ok();
}

std::string WithReasons(const std::string& text, const JobState& job) {
    return job.reasons.empty() ? text : text + " (" + job.reasons + ")";
}

// How a job ended, or why it will not go on by itself.
struct JobOutcome {
    PortStatus status = PortStatus::Ok();
    bool ended = false; // the server is done with the job; nothing is left to cancel
};

JobOutcome WaitForJob(PrintServerConnection& server, const QueueAddress& address, int jobId,
                      const Deadline& deadline) {
    int pauseMs = kFirstPollMs;
    for (;;) {
        JobState job;
        if (PortStatus status = LookUpJob(server, address, jobId, job); !status.ok()) {
            return {status, false};
        }
        switch (job.state) {
        case IPP_JSTATE_COMPLETED:
            return {PortStatus::Ok(), true};
        case IPP_JSTATE_CANCELED:
            return {
                PortStatus::Failed(WithReasons("the job was cancelled on the print server", job)),
                true};
        case IPP_JSTATE_ABORTED:
            return {PortStatus::Failed(WithReasons("the print server aborted the job", job)), true};
        case IPP_JSTATE_PROCESSING:
            break;
        case IPP_JSTATE_PENDING:
        case IPP_JSTATE_HELD:
        case IPP_JSTATE_STOPPED: {
            // A job waits for its queue, which may be stopped now that it has tried it.
            PrintQueue queue;
            PortStatus status = CheckQueue(server, address, queue);
            if (!status.ok()) {
                return {status, false};
            }
            if (job.state != IPP_JSTATE_PENDING) {
                return {PortStatus::Failed(WithReasons(job.state == IPP_JSTATE_HELD
                                                           ? "the print server holds the job"
                                                           : "the print server stopped the job",
                                                       job)),
                        false};
            }
            break;
        }
        }
        if (deadline.Pause(std::min(pauseMs, deadline.RemainingMs())) < 0 &&
            deadline.StoppedByCancel()) {
            return {PortStatus::Failed("cancelled", ECANCELED), false};
        }
        if (deadline.Expired()) {
            return {PortStatus::Failed("the queue did not finish the job within " +
                                           BudgetText(deadline),
                                       ETIMEDOUT),
                    false};
        }
        pauseMs = std::min(pauseMs * 2, kLongestPollMs);
    }
}

// Cancels the job on a connection of its own: the call's may have broken off mid-request, and
// its deadline may be over.
PortStatus CancelJob(const QueueAddress& address, int jobId) {
    const Deadline deadline(kCancelBudget);
    PrintServerConnection server;
    if (PortStatus status = server.Open(address.server, deadline); !status.ok()) {
        return status;
    }
    IppResponse response;
    return server.Exchange(JobRequest(IPP_OP_CANCEL_JOB, address, jobId), address.resource,
                           response);
}

} // namespace

PortStatus SendToPrintQueue(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline) {
    const QueueAddress address = QueueAddressOf(target);
    PrintServerConnection server;
    if (PortStatus status = server.Open(address.server, deadline); !status.ok()) {
        return status;
    }
    PrintQueue queue;
    if (PortStatus status = CheckQueue(server, address, queue); !status.ok()) {
        return status;
    }
    int jobId = 0;
    if (PortStatus status = CreateJob(server, address, jobId); !status.ok()) {
        return status;
    }
    JobOutcome outcome{SendDocument(server, address, jobId, queue.takesRaw, data, size), false};
    if (outcome.status.ok()) {
        deadline.SetAccepted(size);
        outcome = WaitForJob(server, address, jobId, deadline);
    }
    if (outcome.ended) {
        return outcome.status;
    }
    // A cancel request stands for itself; any other failure says why before what followed.
    const int error = outcome.status.error();
    const std::string why = error == ECANCELED ? std::string() : outcome.status.reason() + "; ";
    if (const PortStatus cancelled = CancelJob(address, jobId); !cancelled.ok()) {
        return PortStatus::Failed(
            why + "the job could not be cancelled and may still print: " + cancelled.reason(),
            error);
    }
    return PortStatus::Failed(why + "the job was cancelled", error);
}

PortStatus ProbePrintQueue(const PortTarget& target, const Deadline& deadline) {
    const QueueAddress address = QueueAddressOf(target);
    PrintServerConnection server;
    if (PortStatus status = server.Open(address.server, deadline); !status.ok()) {
        return status;
    }
    PrintQueue queue;
    return CheckQueue(server, address, queue);
}
