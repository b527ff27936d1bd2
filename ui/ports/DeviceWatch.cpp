#include "ui/ports/DeviceWatch.h"

#include "printer/outport/OutPortDevices.h"

#include <QSocketNotifier>

void CDeviceWatch::CloseMonitor::operator()(OutPortMonitor* monitor) const {
    OutPortMonitorClose(monitor);
}

CDeviceWatch::CDeviceWatch(QObject* parent) : QObject(parent), m_pMonitor(OutPortMonitorOpen()) {
    if (!m_pMonitor) {
        return;
    }
    m_pNotifier = std::make_unique<QSocketNotifier>(OutPortMonitorFd(m_pMonitor.get()),
                                                    QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, [this] {
        if (OutPortMonitorRead(m_pMonitor.get()) != 0) {
            emit DevicesChanged();
        }
    });
}

CDeviceWatch::~CDeviceWatch() = default;
