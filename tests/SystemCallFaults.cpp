#include "tests/SystemCallFaults.h"

#include <array>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <utility>

// The linker's --wrap option fixes these names.
extern "C" int __real_close(int fd); // NOLINT(bugprone-reserved-identifier)
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __real_ioctl(int fd, unsigned long request, ...);
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __real_tcsetattr(int fd, int action, const termios* settings);

namespace {

struct Recorded {
    std::string path;
    SystemCallFaults::Request request;
};

std::mutex g_lock;
std::string g_failingPrefix;
int g_closeError = 0;
std::string g_speedPrefix;
int g_speedError = 0;
std::vector<Recorded> g_requests;
std::string g_stallPrefix;
unsigned long g_stallRequest = 0;
int g_stallError = 0;
unsigned g_stallGeneration = 0; // moves on whenever the stall is changed, releasing waiters
std::condition_variable g_stallChanged;

std::string PathOf(int fd) {
    std::array<char, 4096> path{};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t size = readlink(link.c_str(), path.data(), path.size() - 1);
    return size > 0 ? std::string(path.data(), static_cast<std::size_t>(size)) : std::string();
}

} // namespace

extern "C" int __wrap_close(int fd) { // NOLINT(bugprone-reserved-identifier)
    int error = 0;
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        if (!g_failingPrefix.empty() && PathOf(fd).rfind(g_failingPrefix, 0) == 0) {
            error = g_closeError;
        }
    }
    const int result = __real_close(fd);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return result;
}

// Every ioctl the code under test makes passes one argument at most.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __wrap_ioctl(int fd, unsigned long request, void* argument) {
    {
        std::unique_lock<std::mutex> hold(g_lock);
        const std::string path = PathOf(fd);
        g_requests.push_back({path, {request, reinterpret_cast<unsigned long>(argument)}});
        if (!g_stallPrefix.empty() && request == g_stallRequest &&
            path.rfind(g_stallPrefix, 0) == 0) {
            if (g_stallError != 0) {
                errno = g_stallError;
                return -1;
            }
            const unsigned generation = g_stallGeneration;
            g_stallChanged.wait(hold, [generation] { return g_stallGeneration != generation; });
        }
    }
    return __real_ioctl(fd, request, argument);
}

// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __wrap_tcsetattr(int fd, int action, const termios* settings) {
    int error = -1;
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        if (!g_speedPrefix.empty() && PathOf(fd).rfind(g_speedPrefix, 0) == 0) {
            error = g_speedError;
        }
    }
    if (error > 0) {
        errno = error;
        return -1;
    }
    termios wanted = *settings;
    termios current{};
    if (error == 0 && tcgetattr(fd, &current) == 0) {
        cfsetospeed(&wanted, cfgetospeed(&current));
        cfsetispeed(&wanted, cfgetispeed(&current));
    }
    return __real_tcsetattr(fd, action, &wanted);
}

namespace SystemCallFaults {

void RefuseSpeedOf(const std::string& prefix, int error) {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_speedPrefix = prefix;
    g_speedError = error;
}

void FailCloseOf(const std::string& prefix, int error) {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_failingPrefix = prefix;
    g_closeError = error;
}

void StallOrFailRequest(const std::string& prefix, unsigned long request, int error) {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_stallPrefix = prefix;
    g_stallRequest = request;
    g_stallError = error;
    ++g_stallGeneration;
    g_stallChanged.notify_all();
}

std::vector<Request> RequestsTo(const std::string& prefix) {
    const std::lock_guard<std::mutex> hold(g_lock);
    std::vector<Request> found;
    for (const Recorded& recorded : g_requests) {
        if (recorded.path.rfind(prefix, 0) == 0) {
            found.push_back(recorded.request);
        }
    }
    return found;
}

void ForgetRequests() {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_requests.clear();
}

} // namespace SystemCallFaults
