#include "ui/ports/BackgroundCall.h"

#include "printer/outport/OutPort.h"

#include <utility>

CBackgroundCall::CBackgroundCall(QObject* parent) : QObject(parent) {}

CBackgroundCall::~CBackgroundCall() {
    OutPortCancelRequest(m_pCancel);
    if (m_worker.joinable()) {
        m_worker.join();
    }
    OutPortCancelDestroy(m_pCancel);
}

void CBackgroundCall::Start(Call call) {
    if (m_bRunning) {
        m_waiting = std::move(call);
        return;
    }
    Run(std::move(call));
}

void CBackgroundCall::Run(Call call) {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    OutPortCancelDestroy(m_pCancel);
    m_pCancel = OutPortCancelCreate();
    m_bRunning = true;
    m_worker = std::thread([this, call = std::move(call), cancel = m_pCancel] {
        Answer answer = call(cancel);
        // Queued to this object's thread; dropped if the object is gone by then, which it
        // cannot be before this thread is joined.
        QMetaObject::invokeMethod(
            this, [this, answer = std::move(answer)] { Finish(answer); }, Qt::QueuedConnection);
    });
}

void CBackgroundCall::Finish(const Answer& answer) {
    m_bRunning = false;
    answer();
    if (m_waiting) {
        Run(std::exchange(m_waiting, nullptr));
    }
}
