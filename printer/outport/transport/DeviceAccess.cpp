#include "printer/outport/transport/DeviceAccess.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool CanWrite(const std::string& node) {
    // access() checks the real ids, which are the effective ones unless the program runs
    // set-id; faccessat() with AT_EACCESS covers that case.
    if (getuid() == geteuid() && getgid() == getegid()) {
        return access(node.c_str(), W_OK) == 0;
    }
    return faccessat(AT_FDCWD, node.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string GroupName(gid_t gid) {
    std::vector<char> buffer(4096);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return {};
    }
    return found->gr_name;
}

} // namespace

DeviceAccess CheckAccess(const std::string& node) {
    DeviceAccess result;
    result.usable = CanWrite(node);
    result.status = result.usable ? "ready" : "no access";
    struct stat info {};
    if (stat(node.c_str(), &info) != 0) {
        return result;
    }
    result.group = GroupName(info.st_gid);
    if (result.usable) {
        return result;
    }
    // Joining the group helps only when the group may write.
    const bool groupHelps = (info.st_mode & S_IWGRP) != 0 && !result.group.empty();
    result.status = NoAccessStatus(groupHelps ? result.group : std::string());
    result.fix = groupHelps ? JoinGroupFix(result.group)
                            : "ask the administrator for write access to " + node;
    return result;
}

std::string NoAccessStatus(const std::string& group) {
    return group.empty() ? "no access" : "no access — join the '" + group + "' group";
}

std::string JoinGroupFix(const std::string& group) {
    return "sudo adduser $USER " + group + ", then log out and in again";
}
