#pragma once

#include <QObject>
#include <functional>
#include <thread>

struct OutPortCancel;

// Runs one slow port-library call at a time (a print server may take the whole time-out to
// answer; all the look-ups of one call share that time-out) on a worker thread, so that a
// window never waits for it. The call returns what is to
// be done with its answer, which then runs in the window's thread. Ending the object cancels a
// call under way and waits for it.
class CBackgroundCall : public QObject {
    Q_OBJECT

public:
    using Answer = std::function<void()>;
    using Call = std::function<Answer(OutPortCancel* cancel)>;

    explicit CBackgroundCall(QObject* parent = nullptr);
    ~CBackgroundCall() override;

    // Starts `call`; while another runs, it waits for that one, and replaces any other waiting.
    void Start(Call call);
    bool IsRunning() const { return m_bRunning; }

signals:
    // Emitted on the worker; queued, it reaches Finish in this object's thread.
    void Answered(const CBackgroundCall::Answer& answer);

private:
    void Run(Call call);
    void Finish(const Answer& answer);

    std::thread m_worker;
    OutPortCancel* m_pCancel = nullptr;
    bool m_bRunning = false;
    Call m_waiting;
};
