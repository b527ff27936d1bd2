#pragma once

#include <chrono>
#include <cstddef>

// One monotonic deadline shared by every step of an output call (open, connect, write, drain),
// together with the call's cancel descriptor: every wait of the call goes through Wait or Pause,
// so a cancel request wakes whichever step is waiting. It also keeps how many bytes the device
// has taken so far, so that a cancelled call can say how far it got.
class Deadline {
public:
    // `cancelFd` becomes readable when the call is to stop; -1 when it cannot be cancelled.
    explicit Deadline(std::chrono::milliseconds budget, int cancelFd = -1)
        : m_budget(budget), m_end(std::chrono::steady_clock::now() + budget), m_cancelFd(cancelFd) {
    }
    // A call that is one of several sharing `end`; `budget` is the time-out messages name.
    Deadline(std::chrono::milliseconds budget, std::chrono::steady_clock::time_point end,
             int cancelFd)
        : m_budget(budget), m_end(end), m_cancelFd(cancelFd) {}

    bool Expired() const { return std::chrono::steady_clock::now() >= m_end; }

    // Milliseconds left, rounded up so that poll() never spins on a sub-millisecond remainder.
    int RemainingMs() const {
        const auto left = m_end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return 0;
        }
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

    std::chrono::milliseconds Budget() const { return m_budget; }

    // The call's cancel descriptor, for a watch on another thread; -1 for none.
    int CancelFd() const { return m_cancelFd; }
    // Whether cancellation has been requested.
    bool Cancelled() const;
    // Whether a wait of the call ended because of it, so the call stopped for that reason.
    bool StoppedByCancel() const { return m_bStoppedByCancel; }

    // Waits at most `sliceMs`, and never past the deadline, for `events` on `fd`. Returns 1 when
    // the descriptor is ready, 0 when the time ran out, or -1 with errno set: ECANCELED when the
    // call was cancelled, EINTR for a signal.
    int Wait(int fd, short events, int sliceMs) const;
    // A pause of `ms` that a cancel request cuts short: 0, or -1 with errno as for Wait.
    int Pause(int ms) const { return Wait(-1, 0, ms); }

    // Bytes of the call the device has taken, as far as the steps know.
    std::size_t Accepted() const { return m_nAccepted; }
    void AddAccepted(std::size_t bytes) const { m_nAccepted += bytes; }
    void SetAccepted(std::size_t bytes) const { m_nAccepted = bytes; }

private:
    std::chrono::milliseconds m_budget;
    std::chrono::steady_clock::time_point m_end;
    int m_cancelFd;
    // What the call's steps report back, not part of the deadline itself.
    mutable std::size_t m_nAccepted = 0;
    mutable bool m_bStoppedByCancel = false;
};
