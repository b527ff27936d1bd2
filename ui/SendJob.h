#pragma once

#include <QObject>
#include <QString>
#include <thread>
#include <vector>

struct OutPortCancel;

// One OutPort call on a worker thread, so the window keeps painting while a printer stalls.
// Finished arrives on the job's own thread with the outcome and, on failure, the reason the
// worker's OutPortLastError gave. Destroying the job cancels the call and waits for the worker.
class CSendJob : public QObject {
    Q_OBJECT

public:
    // Starts sending a copy of the `length` bytes at `block` to `port` (0..3, or -1 for none).
    CSendJob(int port, const unsigned char* block, int length, QObject* parent = nullptr);
    ~CSendJob() override;
    CSendJob(const CSendJob&) = delete;
    CSendJob& operator=(const CSendJob&) = delete;

    // Asks the call to stop; Finished then reports it as cancelled, unless it had already ended.
    void Cancel();

signals:
    void Finished(bool sent, const QString& reason);

private:
    std::vector<unsigned char> m_block;
    OutPortCancel* m_pCancel;
    std::thread m_worker;
};
