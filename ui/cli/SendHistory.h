#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The record of sends as `send --if-changed` uses it. A record that cannot be read or saved is
// said on standard error and never stops a send: sending twice is harmless, skipping a send that
// was needed is not.

// When `block` was sent to `device` (a device URI), if it was the last block sent there, in
// seconds since the epoch.
std::optional<std::int64_t> SentBefore(const QString& device, const QByteArray& block);

// Notes that `block` was sent to `device` now; nothing for an empty `device`.
void RecordSend(const QString& device, const QByteArray& block);
