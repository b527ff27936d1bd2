#pragma once

#include <string>

// Whether this user may write to a device node now, and if not, what would change that.
struct DeviceAccess {
    bool usable = false;
    std::string group;  // the group that owns the node; empty when it cannot be told
    std::string status; // "ready", "no access — join the 'dialout' group", "no access"
    std::string fix;    // empty when usable
};

// Uses the kernel's own check for the effective ids, so access lists (the seat's access given
// by udev's uaccess tag) count as well as the group.
DeviceAccess CheckAccess(const std::string& node);

// "no access — join the 'dialout' group"
std::string NoAccessStatus(const std::string& group);

// "sudo adduser $USER dialout, then log out and in again"
std::string JoinGroupFix(const std::string& group);
