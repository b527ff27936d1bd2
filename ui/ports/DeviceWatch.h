#pragma once

#include <QObject>
#include <memory>

struct OutPortMonitor;
class QSocketNotifier;

// Tells when a serial line, USB printer or parallel port comes or goes. Where the system
// offers no device monitor it never fires.
class CDeviceWatch : public QObject {
    Q_OBJECT

public:
    explicit CDeviceWatch(QObject* parent = nullptr);
    ~CDeviceWatch() override;

signals:
    void DevicesChanged();

private:
    struct CloseMonitor {
        void operator()(OutPortMonitor* monitor) const;
    };

    // The notifier goes first, before the descriptor it watches is closed.
    std::unique_ptr<OutPortMonitor, CloseMonitor> m_pMonitor;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
