// Any bytes as a print server's IPP answer: read as libcups reads them, then interpreted as every
// kind of answer the program asks for. Nothing may crash, and what is read must make sense.
#include "printer/outport/cups/IppAnswers.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IppResponse answer =
        ParseIppMessage(std::string(reinterpret_cast<const char*>(data), size));
    if (!answer) {
        return 0;
    }
    PrintQueue queue;
    ReadQueueAnswer(answer.get(), queue);
    for (const PrintQueue& listed : ReadQueueListAnswer(answer.get())) {
        if (listed.name.empty()) {
            std::abort();
        }
    }
    const JobState job = ReadJobAnswer(answer.get());
    if (ReadJobIdAnswer(answer.get()) < 0 || job.state < IPP_JSTATE_PENDING ||
        job.state > IPP_JSTATE_COMPLETED) {
        std::abort();
    }
    (void)ReadDefaultQueueAnswer(answer.get());
    (void)StatusMessageOf(answer.get());
    return 0;
}
