#pragma once

#include <string>
#include <vector>

// Link-time stand-ins for close(), ioctl() and tcsetattr() in the test program (linked with
// -Wl,--wrap=close,--wrap=ioctl,--wrap=tcsetattr): every call goes through to the system, but a
// test can make the close of a file fail the way a device or a network file system reports a
// lost write, make a line refuse a speed as a driver does, and
// see which requests were made of a file. Covers what no endpoint a test can create shows.
namespace SystemCallFaults {

// From now on, closing any descriptor whose path starts with `prefix` closes it and then
// fails with `error`; an empty prefix ends that.
void FailCloseOf(const std::string& prefix, int error);

// From now on, setting the line of any descriptor whose path starts with `prefix` fails with
// `error`, or with 0 applies everything but the speed and reports success; an empty prefix
// ends that.
void RefuseSpeedOf(const std::string& prefix, int error);

// From now on, ioctl `request` on any descriptor whose path starts with `prefix` fails with
// `error`, or with 0 waits, as a driver holding its port does, until this is called again.
void StallOrFailRequest(const std::string& prefix, unsigned long request, int error);

// The ioctl requests made so far of descriptors whose path starts with `prefix`, with their
// argument taken as a number.
struct Request {
    unsigned long request;
    unsigned long argument;
};
std::vector<Request> RequestsTo(const std::string& prefix);
void ForgetRequests();

} // namespace SystemCallFaults
