#include "ui/setup/SendJob.h"

#include "printer/outport/OutPort.h"

CSendJob::CSendJob(int port, const unsigned char* block, int length, QObject* parent)
    : QObject(parent), m_nPort(port), m_block(block, block + length),
      m_pCancel(OutPortCancelCreate()) {}

void CSendJob::Start() {
    m_worker = std::thread([this] {
        const bool sent = OutPortCancellable(static_cast<int>(m_block.size()), m_nPort,
                                             m_block.data(), m_pCancel) == 1;
        // The reason belongs to this thread, so it travels with the result.
        emit Finished(sent, QString::fromUtf8(OutPortLastError()));
    });
}

CSendJob::~CSendJob() {
    Cancel();
    if (m_worker.joinable()) {
        m_worker.join();
    }
    OutPortCancelDestroy(m_pCancel);
}

void CSendJob::Cancel() {
    OutPortCancelRequest(m_pCancel);
}
