#include "ui/ports/BackgroundCall.h"

#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"

#include <utility>

CBackgroundCall::CBackgroundCall(QObject* parent) : QObject(parent) {
    // An answer still queued when the object goes is dropped with it; the worker that sent it
    // has been joined by then.
    connect(this, &CBackgroundCall::Answered, this, &CBackgroundCall::Finish, Qt::QueuedConnection);
}

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
    // One deadline for all the call's look-ups, however many ports or queues it asks about.
    m_pCancel = OutPortListingCancelCreate();
    m_bRunning = true;
    m_worker = std::thread(
        [this, call = std::move(call), cancel = m_pCancel] { emit Answered(call(cancel)); });
}

void CBackgroundCall::Finish(const Answer& answer) {
    m_bRunning = false;
    answer();
    if (m_waiting) {
        Run(std::exchange(m_waiting, nullptr));
    }
}
