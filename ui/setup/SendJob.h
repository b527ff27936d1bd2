#pragma once

#include <QObject>
#include <QString>
#include <thread>
#include <vector>

struct OutPortCancel;

// One OutPort call on a worker thread, so the window keeps painting while a printer stalls.
// Finished is emitted from the worker with the outcome and, on failure, the reason the worker's
// OutPortLastError gave: receivers on the GUI thread get it queued. Destroying the job cancels
// the call and waits for the worker.
class CSendJob : public QObject {
    Q_OBJECT

public:
    // A job to send a copy of the `length` bytes at `block` to `port` (0..3, or -1 for none).
    CSendJob(int port, const unsigned char* block, int length, QObject* parent = nullptr);
    ~CSendJob() override;
    CSendJob(const CSendJob&) = delete;
    CSendJob& operator=(const CSendJob&) = delete;

    // Starts the call; connect to Finished first.
    void Start();
    // Asks the call to stop; Finished then reports it as cancelled, unless it had already ended.
    void Cancel();

signals:
    void Finished(bool sent, const QString& reason);

private:
    int m_nPort;
    std::vector<unsigned char> m_block;
    OutPortCancel* m_pCancel;
    std::thread m_worker;
};
