#pragma once

#include "base/UniqueFd.h"
#include "printer/outport/transport/Deadline.h"

#include <mutex>
#include <set>
#include <sys/socket.h>
#include <sys/types.h>
#include <thread>

// Ends a print-server connection's waits from outside once its deadline has passed or its call
// is cancelled (a signal cancels through the same token). libcups checks its time-out only
// while nothing arrives, so a server that dribbles bytes, or a TLS handshake that never ends,
// would hold the call: the watched socket is shut down under it instead, and again whenever
// libcups connects anew before the call gives up.
class ConnectionWatch {
public:
    explicit ConnectionWatch(const Deadline& deadline);
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;
    ~ConnectionWatch();

    // The flag libcups's connecting calls look at; raised when the watch fires.
    int* CancelFlag() { return &m_flag; }
    // Watches the connection's socket `fd` now (-1: none, between exchanges). A later socket
    // under the same number counts only when it reaches the same peer, so another thread's
    // socket is not touched.
    void Watch(int fd);
    // Watches, besides, the sockets made from now on that reach the watched socket's peer, until
    // the next Watch: for a call that makes a socket of its own (libcups connects anew to start
    // TLS) while other threads may take the number the old one had.
    void WatchNewSockets();

private:
    void Run(const Deadline& deadline);
    void ShutDownWatched();
    bool ReachesPeer(int fd) const;

    std::mutex m_mutex; // guards what is watched
    int m_fd = -1;
    sockaddr_storage m_peer{};
    socklen_t m_peerSize = 0;
    bool m_bNewSockets = false;
    std::set<ino_t> m_oldSockets; // there before WatchNewSockets
    int m_flag = 0;
    UniqueFd m_stop;
    std::thread m_thread;
};
