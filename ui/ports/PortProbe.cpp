#include "ui/ports/PortProbe.h"

#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"

#include <string>

CPortProbe::CPortProbe(QObject* parent) : QObject(parent) {
    // Connected first, so the probe is over before anyone hears of its outcome.
    connect(this, &CPortProbe::Finished, this, [this] { m_bRunning = false; });
}

CPortProbe::~CPortProbe() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void CPortProbe::Start(const QString& uri) {
    if (m_bRunning) {
        return;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_bRunning = true;
    m_worker = std::thread([this, target = uri.toStdString()] {
        const bool opened = OutPortProbe(target.c_str()) != 0;
        // The reason is kept per thread, so it is read here. Emitted from this thread, the
        // signal reaches its receivers queued, in the window's thread.
        emit Finished(opened, opened ? QString() : QString::fromUtf8(OutPortLastError()));
    });
}
