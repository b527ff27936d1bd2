#pragma once

#include <fstream>
#include <set>
#include <string>

// The paths of the shared libraries a process has mapped, as /proc/PID/maps lists them ("self"
// for the calling process).
inline std::set<std::string> MappedLibraries(const std::string& pid = "self") {
    std::set<std::string> libraries;
    std::ifstream maps("/proc/" + pid + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const std::size_t path = line.find('/');
        if (path != std::string::npos && line.find(".so", line.rfind('/')) != std::string::npos) {
            libraries.insert(line.substr(path));
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
