#pragma once

#include "base/UniqueFd.h"
#include "printer/outport/transport/Deadline.h"

#include <avahi-client/client.h>
#include <avahi-common/thread-watch.h>
#include <memory>
#include <string>

// A connection to the Avahi daemon on its own poll thread. Avahi calls back on that thread with
// the poll's lock held; the caller's thread takes the same lock (PollLock) to read what the
// callbacks gathered, and sleeps in WaitForNews, which a callback ends with Wake and the call's
// cancel token ends too.
class AvahiSession {
public:
    // Connects to the daemon over the system bus, or says why that failed in `problem`
    // ("avahi-daemon is not running").
    static std::unique_ptr<AvahiSession> Open(std::string& problem);
    ~AvahiSession();
    AvahiSession(const AvahiSession&) = delete;
    AvahiSession& operator=(const AvahiSession&) = delete;

    AvahiClient* Client() const { return m_client; }
    // Starts the poll thread: call once the lookups are made.
    bool Start();
    void Lock();
    void Unlock();
    // From a callback: something changed.
    void Wake();
    // Waits at most `sliceMs` (never past the deadline) for a Wake: 1 when woken, 0 when the
    // time ran out, -1 when the call was cancelled.
    int WaitForNews(const Deadline& deadline, int sliceMs);
    // Set by the client's callback when the daemon went away; read under the lock.
    const std::string& Problem() const { return m_problem; }

private:
    AvahiSession();
    static void OnClientState(AvahiClient* client, AvahiClientState state, void* session);

    AvahiThreadedPoll* m_poll = nullptr;
    AvahiClient* m_client = nullptr;
    UniqueFd m_wake;
    bool m_started = false;
    std::string m_problem;
};

// Holds the session's poll lock for a scope.
class PollLock {
public:
    explicit PollLock(AvahiSession& session) : m_session(session) { m_session.Lock(); }
    ~PollLock() { m_session.Unlock(); }
    PollLock(const PollLock&) = delete;
    PollLock& operator=(const PollLock&) = delete;

private:
    AvahiSession& m_session;
};

// An Avahi error code in words; the daemon or the bus missing reads "avahi-daemon is not running".
std::string AvahiProblem(int error);
