#include "printer/outport/cups/IppAnswers.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kRawFormat = "application/vnd.cups-raw";

// Kinds of text as IPP tags them; each attribute is read only as the kind it is.
constexpr std::initializer_list<ipp_tag_t> kName{IPP_TAG_NAME, IPP_TAG_NAMELANG};
constexpr std::initializer_list<ipp_tag_t> kText{IPP_TAG_TEXT, IPP_TAG_TEXTLANG};
constexpr std::initializer_list<ipp_tag_t> kKeyword{IPP_TAG_KEYWORD};
constexpr std::initializer_list<ipp_tag_t> kMimeType{IPP_TAG_MIMETYPE};

bool Tagged(ipp_attribute_t* attribute, std::initializer_list<ipp_tag_t> tags) {
    return attribute != nullptr &&
           std::find(tags.begin(), tags.end(), ippGetValueTag(attribute)) != tags.end();
}

// Every value of a set of texts; none when the attribute is of another type.
std::vector<std::string> Texts(ipp_attribute_t* attribute, std::initializer_list<ipp_tag_t> tags) {
    std::vector<std::string> texts;
    if (!Tagged(attribute, tags)) {
        return texts;
    }
    for (int i = 0; i < ippGetCount(attribute); ++i) {
        if (const char* text = ippGetString(attribute, i, nullptr); text != nullptr) {
            texts.emplace_back(text);
        }
    }
    return texts;
}

// The only value of a single text.
std::optional<std::string> OneText(ipp_attribute_t* attribute,
                                   std::initializer_list<ipp_tag_t> tags) {
    if (!Tagged(attribute, tags) || ippGetCount(attribute) != 1) {
        return std::nullopt;
    }
    const char* text = ippGetString(attribute, 0, nullptr);
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

std::optional<int> OneInteger(ipp_attribute_t* attribute, ipp_tag_t tag) {
    if (!Tagged(attribute, {tag}) || ippGetCount(attribute) != 1) {
        return std::nullopt;
    }
    return ippGetInteger(attribute, 0);
}

std::optional<bool> OneBoolean(ipp_attribute_t* attribute) {
    if (!Tagged(attribute, {IPP_TAG_BOOLEAN}) || ippGetCount(attribute) != 1) {
        return std::nullopt;
    }
    return ippGetBoolean(attribute, 0) != 0;
}

template <typename Value> void Assign(Value& field, std::optional<Value> value) {
    if (value) {
        field = std::move(*value);
    }
}

PrinterState::State StateOf(int value) {
    switch (value) {
    case IPP_PSTATE_IDLE:
        return PrinterState::State::Idle;
    case IPP_PSTATE_PROCESSING:
        return PrinterState::State::Processing;
    case IPP_PSTATE_STOPPED:
        return PrinterState::State::Stopped;
    default:
        return PrinterState::State::Unknown;
    }
}

std::vector<std::string> WithoutNone(std::vector<std::string> reasons) {
    reasons.erase(std::remove(reasons.begin(), reasons.end(), "none"), reasons.end());
    return reasons;
}

void ReadQueueAttribute(ipp_attribute_t* attribute, PrintQueue& queue) {
    const std::string_view name = ippGetName(attribute);
    if (name == "printer-name") {
        Assign(queue.name, OneText(attribute, kName));
    } else if (name == "printer-info") {
        Assign(queue.info, OneText(attribute, kText));
    } else if (name == "printer-make-and-model") {
        Assign(queue.makeAndModel, OneText(attribute, kText));
    } else if (name == "printer-state-message") {
        Assign(queue.state.message, OneText(attribute, kText));
    } else if (name == "printer-state") {
        if (const auto state = OneInteger(attribute, IPP_TAG_ENUM)) {
            queue.state.state = StateOf(*state);
        }
    } else if (name == "printer-is-accepting-jobs") {
        Assign(queue.accepting, OneBoolean(attribute));
    } else if (name == "printer-state-reasons") {
        const std::vector<std::string> reasons = WithoutNone(Texts(attribute, kKeyword));
        queue.state.reasons.insert(queue.state.reasons.end(), reasons.begin(), reasons.end());
    } else if (name == "document-format-supported") {
        const std::vector<std::string> formats = Texts(attribute, kMimeType);
        queue.takesRaw = queue.takesRaw ||
                         std::find(formats.begin(), formats.end(), kRawFormat) != formats.end();
    }
}

// Reads one printer group, from `first` up to the next group's separator, which it returns.
ipp_attribute_t* ReadQueueGroup(ipp_t* answer, ipp_attribute_t* first, PrintQueue& queue) {
    ipp_attribute_t* attribute = first;
    for (; attribute != nullptr && ippGetName(attribute) != nullptr;
         attribute = ippNextAttribute(answer)) {
        ReadQueueAttribute(attribute, queue);
    }
    return attribute;
}

// Hands out the message's bytes to ippReadIO.
struct ByteSource {
    const std::string& bytes;
    std::size_t offset = 0;

    static ssize_t Read(void* context, ipp_uchar_t* buffer, size_t wanted) {
        auto& source = *static_cast<ByteSource*>(context);
        const std::size_t count = std::min(wanted, source.bytes.size() - source.offset);
        std::copy_n(source.bytes.begin() + static_cast<std::ptrdiff_t>(source.offset), count,
                    buffer);
        source.offset += count;
        return static_cast<ssize_t>(count);
    }
};

} // namespace

IppResponse ParseIppMessage(const std::string& bytes) {
    IppResponse message(ippNew());
    ByteSource source{bytes};
    ipp_state_t state = IPP_STATE_IDLE;
    do {
        state = ippReadIO(&source, ByteSource::Read, 1, nullptr, message.get());
    } while (state != IPP_STATE_DATA && state != IPP_STATE_ERROR);
    if (state == IPP_STATE_ERROR) {
        message.reset();
    }
    return message;
}

void ReadQueueAnswer(ipp_t* answer, PrintQueue& queue) {
    ReadQueueGroup(answer, ippFirstAttribute(answer), queue);
}

std::vector<PrintQueue> ReadQueueListAnswer(ipp_t* answer) {
    std::vector<PrintQueue> queues;
    ipp_attribute_t* attribute = ippFirstAttribute(answer);
    while (attribute != nullptr) {
        if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER) {
            attribute = ippNextAttribute(answer);
            continue;
        }
        PrintQueue queue;
        attribute = ReadQueueGroup(answer, attribute, queue);
        if (!queue.name.empty()) {
            queues.push_back(std::move(queue));
        }
    }
    return queues;
}

std::string ReadDefaultQueueAnswer(ipp_t* answer) {
    return OneText(ippFindAttribute(answer, "printer-name", IPP_TAG_ZERO), kName).value_or("");
}

int ReadJobIdAnswer(ipp_t* answer) {
    const int id =
        OneInteger(ippFindAttribute(answer, "job-id", IPP_TAG_ZERO), IPP_TAG_INTEGER).value_or(0);
    return std::max(id, 0);
}

JobState ReadJobAnswer(ipp_t* answer) {
    JobState job;
    if (const auto state =
            OneInteger(ippFindAttribute(answer, "job-state", IPP_TAG_ZERO), IPP_TAG_ENUM);
        state && *state >= IPP_JSTATE_PENDING && *state <= IPP_JSTATE_COMPLETED) {
        job.state = static_cast<ipp_jstate_t>(*state);
    }
    for (const std::string& reason : WithoutNone(
             Texts(ippFindAttribute(answer, "job-state-reasons", IPP_TAG_ZERO), kKeyword))) {
        job.reasons += (job.reasons.empty() ? "" : ", ") + reason;
    }
    return job;
}

std::string StatusMessageOf(ipp_t* answer) {
    return OneText(ippFindAttribute(answer, "status-message", IPP_TAG_ZERO), kText).value_or("");
}
