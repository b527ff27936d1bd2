#include "printer/outport/dnssd/AvahiSession.h"

#include <avahi-common/error.h>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

AvahiSession::AvahiSession() : m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

std::unique_ptr<AvahiSession> AvahiSession::Open(std::string& problem) {
    std::unique_ptr<AvahiSession> session(new AvahiSession());
    session->m_poll = avahi_threaded_poll_new();
    if (session->m_poll == nullptr || !session->m_wake.valid()) {
        problem = "cannot start a DNS-SD lookup: out of resources";
        return nullptr;
    }
    int error = 0;
    // Without AVAHI_CLIENT_NO_FAIL a missing daemon fails here at once instead of waiting.
    session->m_client = avahi_client_new(avahi_threaded_poll_get(session->m_poll),
                                         AvahiClientFlags(0), OnClientState, session.get(), &error);
    if (session->m_client == nullptr) {
        problem = AvahiProblem(error);
        return nullptr;
    }
    return session;
}

AvahiSession::~AvahiSession() {
    if (m_started) {
        avahi_threaded_poll_stop(m_poll);
    }
    if (m_client != nullptr) {
        avahi_client_free(m_client); // frees its browsers and resolvers too
    }
    if (m_poll != nullptr) {
        avahi_threaded_poll_free(m_poll);
    }
}

bool AvahiSession::Start() {
    m_started = avahi_threaded_poll_start(m_poll) == 0;
    return m_started;
}

void AvahiSession::Lock() {
    if (m_started) {
        avahi_threaded_poll_lock(m_poll);
    }
}

void AvahiSession::Unlock() {
    if (m_started) {
        avahi_threaded_poll_unlock(m_poll);
    }
}

void AvahiSession::Wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_wake.get(), &one, sizeof one);
}

int AvahiSession::WaitForNews(const Deadline& deadline, int sliceMs) {
    const int ready = deadline.Wait(m_wake.get(), POLLIN, sliceMs);
    if (ready > 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t drained = read(m_wake.get(), &count, sizeof count);
        return 1;
    }
    return ready < 0 && errno == ECANCELED ? -1 : 0;
}

void AvahiSession::OnClientState(AvahiClient* client, AvahiClientState state, void* session) {
    if (state == AVAHI_CLIENT_FAILURE) {
        auto* self = static_cast<AvahiSession*>(session);
        self->m_problem = AvahiProblem(avahi_client_errno(client));
        self->Wake();
    }
}

std::string AvahiProblem(int error) {
    switch (error) {
    case AVAHI_ERR_NO_DAEMON:
    case AVAHI_ERR_DBUS_ERROR:
    case AVAHI_ERR_DISCONNECTED:
        return "avahi-daemon is not running";
    default:
        return std::string("avahi-daemon: ") + avahi_strerror(error);
    }
}
