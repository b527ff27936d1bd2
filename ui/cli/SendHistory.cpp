#include "ui/cli/SendHistory.h"

#include "settings/SaveResult.h"
#include "settings/SentRecord.h"
#include "ui/cli/terminal/Console.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstring>
#include <string>

namespace {

QString RecordProblem(const SentRecordRead& record) {
    switch (record.problem) {
    case SentRecordProblem::Unreadable:
        return record.error == 0 ? QCoreApplication::translate("CommandLine", "not a regular file")
                                 : QString::fromLocal8Bit(std::strerror(record.error));
    case SentRecordProblem::Damaged:
        return QCoreApplication::translate("CommandLine", "line %1 does not read").arg(record.line);
    case SentRecordProblem::TooLarge:
        return QCoreApplication::translate("CommandLine", "larger than %1 KiB")
            .arg(kSentRecordLargest / 1024);
    case SentRecordProblem::None:
        break;
    }
    return {};
}

} // namespace

std::optional<std::int64_t> SentBefore(const QString& device, const QByteArray& block) {
    const std::string path = SentRecordPath();
    const SentRecordRead record = ReadSentRecord(path);
    if (record.problem != SentRecordProblem::None) {
        PrintMessage(
            QCoreApplication::translate("CommandLine", "Ignoring the record of sends %1: %2.")
                .arg(QString::fromStdString(path), RecordProblem(record)));
    }
    const SentEntry* entry = FindSent(record.entries, device.toStdString());
    if (entry == nullptr || entry->block != block.toStdString()) {
        return std::nullopt;
    }
    return entry->time;
}

void RecordSend(const QString& device, const QByteArray& block) {
    if (device.isEmpty()) {
        return;
    }
    const std::string path = SentRecordPath();
    const SaveResult saved = RecordSent(
        path, {device.toStdString(), block.toStdString(), QDateTime::currentSecsSinceEpoch()});
    if (saved != SaveResult::Saved) {
        // The send itself went well; the next --if-changed merely sends again.
        PrintMessage(QCoreApplication::translate(
                         "CommandLine", "Sent, but the record of sends %1 could not be saved.")
                         .arg(QString::fromStdString(path)));
    }
}
