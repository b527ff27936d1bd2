#include "SendJob.h"

#include "OutPort.h"

#include <QMetaObject>

CSendJob::CSendJob(int port, const unsigned char* block, int length, QObject* parent)
    : QObject(parent), m_block(block, block + length), m_pCancel(OutPortCancelCreate()) {
    m_worker = std::thread([this, port] {
        const bool sent = OutPortCancellable(static_cast<int>(m_block.size()), port, m_block.data(),
                                             m_pCancel) == 1;
        // The reason belongs to this thread, so it travels with the result. The result is
        // posted to the job itself: once the job is gone, it is dropped.
        const QString reason = QString::fromUtf8(OutPortLastError());
        QMetaObject::invokeMethod(
            this, [this, sent, reason] { emit Finished(sent, reason); }, Qt::QueuedConnection);
    });
}

CSendJob::~CSendJob() {
    Cancel();
    m_worker.join();
    OutPortCancelDestroy(m_pCancel);
}

void CSendJob::Cancel() {
    OutPortCancelRequest(m_pCancel);
}
