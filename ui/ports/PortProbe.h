#pragma once

#include <QObject>
#include <QString>
#include <thread>

// Opens a device URI and closes it again on a worker thread, so the window stays responsive
// for the whole time-out a silent device may take.
class CPortProbe : public QObject {
    Q_OBJECT

public:
    explicit CPortProbe(QObject* parent = nullptr);
    ~CPortProbe() override; // waits for a probe under way

    // Starts a probe unless one is under way; Finished reports it.
    void Start(const QString& uri);

signals:
    // `reason` says why the device could not be opened; empty when it could.
    void Finished(bool opened, const QString& reason);

private:
    std::thread m_worker;
    bool m_bRunning = false;
};
