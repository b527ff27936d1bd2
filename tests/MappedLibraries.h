#pragma once

#include <fstream>
#include <set>
#include <sstream>
#include <string>

// The shared libraries a process has mapped, by path, as its /proc/PID/maps lists them ("self"
// for the calling process); the program itself is not among them.
inline std::set<std::string> MappedLibraries(const std::string& pid = "self") {
    std::set<std::string> libraries;
    std::ifstream maps("/proc/" + pid + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device, inode, path;
        fields >> range >> permissions >> offset >> device >> inode >> path;
        const std::string name = path.substr(path.rfind('/') + 1);
        if (name.find(".so") != std::string::npos) {
            libraries.insert(path);
        }
    }
    return libraries;
}

// Whether any mapped library's file name starts with `prefix` ("libcups").
inline bool MapsLibrary(const std::set<std::string>& libraries, const std::string& prefix) {
    for (const std::string& path : libraries) {
        if (path.compare(path.rfind('/') + 1, prefix.size(), prefix) == 0) {
            return true;
        }
    }
    return false;
}
