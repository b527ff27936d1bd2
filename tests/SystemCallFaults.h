#pragma once

#include <string>
#include <vector>

// Link-time stand-ins for close() and ioctl() in the test program (linked with
// -Wl,--wrap=close,--wrap=ioctl): every call goes through to the system, but a test can make
// the close of a file fail the way a device or a network file system reports a lost write, and
// see which requests were made of a file. Covers what no endpoint a test can create shows.
namespace SystemCallFaults {

// From now on, closing any descriptor whose path starts with `prefix` closes it and then
// fails with `error`; an empty prefix ends that.
void FailCloseOf(const std::string& prefix, int error);

// The ioctl requests made so far of descriptors whose path starts with `prefix`, with their
// argument taken as a number.
struct Request {
    unsigned long request;
    unsigned long argument;
};
std::vector<Request> RequestsTo(const std::string& prefix);
void ForgetRequests();

} // namespace SystemCallFaults
